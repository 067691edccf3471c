#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the installed wr-host from there as a
# workstation would: a clean HOME and environment, no LD_LIBRARY_PATH, started outside the
# build, and (where a private mount namespace can be made) with the source and build folders
# hidden. The demo database must be built from the installed scripts and the screenshot
# written; the layout must hold the programs, plug-in, scripts, desktop entry, icon and manual
# pages, and no test or benchmark program.
#   tests/install/install-prefix.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: install-prefix.sh BUILD_DIR}" && pwd)
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d /tmp/wr-install-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" > "$work/install.log" || { cat "$work/install.log"; exit 1; }

# ---- layout ----
for f in bin/wr-host bin/wr-admin bin/rtfconv lib/writereport/libWriteReport.so lib/writereport/libwr_platform.so \
         share/writereport/db/sqlite/schema.sql share/writereport/db/sqlite/procedures.sql \
         share/writereport/db/sqlite/demo.sql share/writereport/db/sqlserver/schema.sql \
         share/applications/writereport.desktop share/icons/hicolor/scalable/apps/writereport.svg \
         share/icons/hicolor/48x48/apps/writereport.png share/icons/hicolor/256x256/apps/writereport.png \
         share/man/man1/wr-host.1 share/man/man1/wr-admin.1 share/writereport/db/sqlite/demo-users.sql \
         share/doc/writereport/README.md share/man/man1/wr-dicomd.1 \
         share/writereport/checks/sign-checks.rules share/writereport/checks/critical-items.txt \
         share/writereport/assist/acr-tirads.rules share/writereport/assist/c-tirads.rules \
         share/writereport/assist/bi-rads.rules; do
  [ -f "$prefix/$f" ] || fail "not installed: $f"
done
for f in "$source_dir"/db/sqlite/upgrades/*.sql; do
  [ -e "$f" ] || continue
  [ -f "$prefix/share/writereport/db/sqlite/upgrades/$(basename "$f")" ] || fail "upgrade script not installed: $(basename "$f")"
done
extra=$(cd "$prefix" && find . -type f \( -name 'tst_*' -o -name '*bench*' -o -name 'wr_load' -o -name '*fuzz*' \
        -o -name '*broken_plugin*' -o -name '*.a' -o -name '*.py' \) | sort)
[ -z "$extra" ] || fail "test, benchmark or build files installed: $extra"
programs=$(cd "$prefix/bin" && ls | sort | tr '\n' ' ')
[ "$programs" = "rtfconv wr-admin wr-dicomd wr-host " ] || fail "bin/ holds '$programs', expected 'rtfconv wr-admin wr-dicomd wr-host '"
[ -z "$(find "$prefix/lib" -maxdepth 1 -type f)" ] || fail "libraries outside the private folder: $(find "$prefix/lib" -maxdepth 1 -type f)"
# No installed binary may look for libraries in the build or source tree.
while IFS= read -r elf; do
  runpath=$(readelf -d "$elf" | sed -n 's/.*R\(UN\)\{0,1\}PATH.*\[\(.*\)\]/\2/p')
  case "$runpath" in *"$build"*|*"$source_dir"*) fail "$elf searches $runpath";; esac
done < <(find "$prefix" -type f \( -path '*/bin/*' -o -name '*.so*' \))
grep -q '^Name\[zh_CN\]=' "$prefix/share/applications/writereport.desktop" || fail "desktop entry has no Chinese name"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/writereport.desktop" || fail "desktop entry does not validate"
fi
head -1 "$prefix/share/man/man1/wr-host.1" | grep -q '^\.TH WR-HOST 1' || fail "wr-host.1 is not a manual page"
grep -q -- '\\-\\-screenshot' "$prefix/share/man/man1/wr-host.1" || fail "wr-host.1 does not list the options"

# ---- the installed host, run as on a workstation ----
home=$work/home
mkdir -p "$home" "$work/cwd"
# The source and build folders are hidden behind an empty folder in a private mount namespace
# (root, or where user namespaces are allowed), so nothing can be found there by accident.
cat > "$work/hide-and-run" <<'SH'
#!/bin/sh
empty=$(mktemp -d)
while [ "$1" != "--" ]; do mount --bind "$empty" "$1" || exit 99; shift; done
shift
exec "$@"
SH
chmod +x "$work/hide-and-run"
hidden=("$source_dir")
case "$build" in "$source_dir"/*) ;; *) hidden+=("$build");; esac
hide=()
if unshare --mount "$work/hide-and-run" "${hidden[@]}" -- test ! -e "$source_dir/CMakeLists.txt" 2>/dev/null; then
  hide=(unshare --mount "$work/hide-and-run" "${hidden[@]}" --)
else
  echo "note: no private mount namespace here; the source and build folders stay visible" >&2
fi
run_host() {
  (cd "$work/cwd" && env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen \
     ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}" \
     XDG_RUNTIME_DIR="$work/run" timeout 120 "${hide[@]}" "$prefix/bin/wr-host" "$@")
}
mkdir -p "$work/run" && chmod 700 "$work/run"

out=$(run_host --screenshot "$work/shot.png" 2>&1) || fail "installed wr-host --screenshot failed: $out"
[ "$(head -c 8 "$work/shot.png" 2>/dev/null | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "no PNG screenshot written"
demo=$home/.local/share/WriteReport/demo.sqlite
[ -s "$demo" ] || fail "no demo database in the user's data folder"
# The user administration runs from the prefix too, on the user's demo database by default.
out=$(cd "$work/cwd" && env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 "${hide[@]}" "$prefix/bin/wr-admin" list 2>&1) \
  || fail "installed wr-admin list failed: $out"
grep -q "^D001.*reviewer" <<<"$out" || fail "installed wr-admin list does not show the demo users: $out"
log=$home/.local/share/WriteReport/logs/wr-host.log
grep -q "demo database created: .* from $prefix/share/writereport/db/sqlite" "$log" 2>/dev/null \
  || fail "demo database not built from the installed scripts: $(grep 'demo database' "$log" 2>/dev/null)"

# The report fonts are mapped to an installed CJK font (the system's, found by fontconfig).
! grep -q "no CJK font installed" "$log" 2>/dev/null || fail "the installed host found no CJK font"

# --version names this build and the installed plug-in.
version=$(sed -n 's/#define WR_VERSION "\(.*\)"/\1/p' "$build/generated/wr_version.h")
out=$(run_host --version 2>&1 | head -5) || true
if ! grep -q "^wr-host $version" <<<"$out" || ! grep -q "plug-in.*$version.*$prefix/lib/writereport/libWriteReport.so" <<<"$out"; then
  fail "--version does not show $version for host and installed plug-in: $out"
fi

# The editor's per-user files (template model files) go to the user's folder, not bin/.
cat > "$work/cwd/template.txt" <<'SCRIPT'
open D1B74DCD-2A3E-5815-AAD4-BA7743F81F05
unlock
pick template 腹部/胆囊结石
click lab_yxbx
SCRIPT
out=$(run_host --script "$work/cwd/template.txt" 2>&1) || fail "template script failed: $out"
[ -f "$home/.local/share/WriteReport/program/Temp/Model/sj.rtf" ] || fail "template model file not in the user's program folder"
[ ! -e "$prefix/bin/Temp" ] || fail "the installed host wrote into bin/"

# Installing again (an upgrade) leaves the user's database and settings alone.
before=$(sha256sum "$demo" "$home/.config/WriteReport/"*.ini)
cmake --install "$build" --prefix "$prefix" > /dev/null
after=$(sha256sum "$demo" "$home/.config/WriteReport/"*.ini)
[ "$before" = "$after" ] || fail "reinstalling changed the user's files"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "installed copy under $prefix: layout, screenshot, demo database from installed scripts, --version: ok"
