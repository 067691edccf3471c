#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A short fuzzing run of the RTF reader and writer that CI can afford: builds fuzz_rtf with
# clang (address and undefined-behaviour sanitizers) in its own build folder, seeds the corpus
# with the golden RTF files of the tests, and fuzzes for SECONDS (default 60).
# Exit status 0 when nothing was found; otherwise the fuzzer's status, with the crashing input
# saved as build-fuzz-rtf/fuzz-rtf-crash-* (reproduce: build-fuzz-rtf/bin/fuzz_rtf FILE).
#
#   fuzz/rtf/run-short.sh [SECONDS]        environment: WR_FUZZ_BUILD_DIR, WR_FUZZ_JOBS,
#                                          WR_FUZZ_SEED, WR_FUZZ_RUNS
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${WR_FUZZ_BUILD_DIR:-$root/build-fuzz-rtf}
seconds=${1:-60}
command -v clang++ >/dev/null || { echo "run-short.sh: clang++ not found (Debian packages clang, libclang-rt-14-dev)" >&2; exit 2; }

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DWRITEREPORT_BUILD_FUZZ=ON -DWRITEREPORT_BUILD_TESTS=OFF -DWRITEREPORT_BUILD_BENCH=OFF \
  -DWRITEREPORT_WITH_ODBC=OFF >"$build.configure.log" 2>&1 \
  || { cat "$build.configure.log" >&2; exit 2; }
cmake --build "$build" --target fuzz_rtf -j"${WR_FUZZ_JOBS:-2}"

# An open-ended run keeps what it found for the next one; a repeatable run (WR_FUZZ_RUNS set)
# starts from the seeds alone, so the same seed gives the same inputs.
corpus=$build/fuzz-rtf-corpus
if [ -n "${WR_FUZZ_RUNS:-}" ]; then
  corpus=$build/fuzz-rtf-corpus-repeatable
  rm -rf "$corpus"
fi
mkdir -p "$corpus"
cp "$root"/tests/data/rtf/*.rtf "$corpus"/

export QT_QPA_PLATFORM=offscreen
# Qt is not instrumented: its own allocations are not leaks of this code.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
# WR_FUZZ_SEED and WR_FUZZ_RUNS make a run repeatable (the test command uses them, so a
# submission is judged on the same inputs every time); without them the run explores anew.
extra=()
[ -n "${WR_FUZZ_SEED:-}" ] && extra+=(-seed="$WR_FUZZ_SEED")
[ -n "${WR_FUZZ_RUNS:-}" ] && extra+=(-runs="$WR_FUZZ_RUNS")
"$build/bin/fuzz_rtf" "${extra[@]}" -max_total_time="$seconds" -max_len=65536 -timeout=20 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$build/fuzz-rtf-" "$corpus"
