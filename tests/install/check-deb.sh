#!/usr/bin/env bash
# Inspects the Debian package that scripts/package built: control fields, dependencies (run
# time only: no compiler, build tool, database server or test tool), contents (the programs,
# plug-in, scripts, desktop entry, icon and manual pages; no test or benchmark program), no
# maintainer script that could touch users' files on an upgrade, and that the unpacked
# programs run from their own folder.
#   tests/install/check-deb.sh PACKAGE.deb [BUILD_DIR]
set -euo pipefail
deb=${1:?usage: check-deb.sh PACKAGE.deb [BUILD_DIR]}
build=${2:-}
work=$(mktemp -d /tmp/wr-deb-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = writereport ] || fail "package name is '$(field Package)'"
version=$(field Version)
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+(\+[0-9]+\.g[0-9a-f]+)?$ ]] || fail "version '$version' is not <project version>+<commits>.g<commit>"
if [ -n "$build" ] && [ -f "$build/generated/wr_version.h" ]; then
  built=$(sed -n 's/#define WR_VERSION "\(.*\)"/\1/p' "$build/generated/wr_version.h")
  [ "$version" = "$built" ] || fail "package version $version is not the programs' version $built"
fi

depends=$(field Depends)
names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*//; s/^ *//; s/ *$//' | sed '/^$/d' | sort -u)
for need in qt6-qpa-plugins libqt6sql6-sqlite libqt6sql6-odbc unixodbc fonts-noto-cjk libqt6widgets6 libqt6gui6 \
            libqt6core6 libqt6sql6; do
  grep -qx "$need" <<<"$names" || fail "Depends lacks $need: $depends"
done
# Build tools, compilers, servers and test tools never reach a workstation.
bad=$(grep -E '(-dev$|-dev-tools$|^(g\+\+|gcc|cpp|clang|cmake|ninja-build|make|pkg-config|dpkg-dev|postgresql|odbc-postgresql|libreoffice.*|unrtf|xvfb|xauth|sqlite3|poppler-utils|librsvg2-bin|desktop-file-utils|git)(-[0-9.]+)?$)' <<<"$names" || true)
[ -z "$bad" ] || fail "Depends names build or test packages: $bad"
for f in Pre-Depends Recommends; do
  v=$(field "$f" || true)
  bad=$(grep -E -- '-dev|clang|g\+\+|postgresql|libreoffice|cmake' <<<"$v" || true)
  [ -z "$bad" ] || fail "$f names build or test packages: $v"
done
# Chinese input needs an input method with a Qt 6 frontend.
grep -q 'fcitx5-frontend-qt6 | ibus' <<<"$(field Recommends || true)" || fail "Recommends lacks fcitx5-frontend-qt6 | ibus"

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' > "$work/contents"
for f in /usr/bin/wr-host /usr/bin/wr-admin /usr/bin/rtfconv /usr/lib/writereport/libWriteReport.so /usr/lib/writereport/libwr_platform.so \
         /usr/share/writereport/db/sqlite/schema.sql /usr/share/writereport/db/sqlite/procedures.sql \
         /usr/share/writereport/db/sqlite/demo.sql /usr/share/writereport/db/sqlserver/schema.sql \
         /usr/share/writereport/db/sqlserver/procedures.sql /usr/share/applications/writereport.desktop \
         /usr/share/icons/hicolor/scalable/apps/writereport.svg /usr/share/icons/hicolor/48x48/apps/writereport.png \
         /usr/share/man/man1/wr-host.1 /usr/share/man/man1/wr-admin.1 /usr/share/doc/writereport/README.md; do
  grep -qx "$f" "$work/contents" || fail "package lacks $f"
done
bad=$(grep -E '/(tst_[^/]*|[^/]*bench[^/]*|wr_load|[^/]*fuzz[^/]*|[^/]*broken_plugin[^/]*|[^/]*\.a|[^/]*\.py)$' "$work/contents" || true)
[ -z "$bad" ] || fail "package holds test, benchmark or build files: $bad"
bad=$(grep -v -E '^/(usr/?(.*)?)?$' "$work/contents" || true)
[ -z "$bad" ] || fail "package installs outside /usr (users' and site files are never shipped): $bad"

# Maintainer scripts may only refresh the linker cache: nothing else runs on install, upgrade
# or removal, so users' settings, drafts and databases (all in their home folders) stay.
dpkg-deb -e "$deb" "$work/control"
for script in preinst postinst prerm postrm config; do
  [ -f "$work/control/$script" ] || continue
  other=$(grep -v -x -E '\s*(#.*|set -e|if \[ "\$1" = "[a-z-]+" \]; then|fi|ldconfig)?\s*' "$work/control/$script" || true)
  [ -z "$other" ] || fail "maintainer script $script does more than ldconfig: $other"
done

# Unpacked anywhere, the programs find their libraries and plug-in by themselves.
dpkg-deb -x "$deb" "$work/root"
out=$(env -i HOME="$work/home" PATH=/usr/bin:/bin LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
      "$work/root/usr/bin/wr-host" --version 2>&1) || fail "unpacked wr-host --version failed: $out"
grep -q "^wr-host $version" <<<"$out" && grep -q "plug-in.*$version.*$work/root/usr/lib/writereport/libWriteReport.so" <<<"$out" \
  || fail "unpacked wr-host --version: $out"
out=$(printf '{\\rtf1 ok}' | env -i PATH=/usr/bin:/bin "$work/root/usr/bin/rtfconv" 2>&1) || fail "unpacked rtfconv failed: $out"
[ "$out" = ok ] || fail "unpacked rtfconv printed '$out'"
out=$(env -i HOME="$work/home" PATH=/usr/bin:/bin LANG=C.UTF-8 "$work/root/usr/bin/wr-admin" --help 2>&1) \
  || fail "unpacked wr-admin --help failed: $out"
grep -q "reset-password" <<<"$out" || fail "unpacked wr-admin --help: $out"

size=$(du -k "$deb" | cut -f1)
installed=$(field Installed-Size)
if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) of $deb failed" >&2
  exit 1
fi
echo "package $deb: version $version, ${size} KiB (installed ${installed} KiB)"
echo "Depends: $depends"
