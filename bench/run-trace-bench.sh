#!/usr/bin/env bash
# Runs the trace benchmark natively (in-memory queue) and under Wine (to TraceViewer.exe)
# in a scratch prefix that is removed afterwards.
#   bench/run-trace-bench.sh [native tree] [win64 tree]   (default: build/bench, build/win64)
# The native default is the optimised tree without sanitizers that the language
# benchmark uses too; the test tree's checks would slow every record down.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
native="${1:-$here/build/bench}"
tree="${2:-$here/build/win64}"
[ -f "$native/build.ninja" ] || cmake -S "$here" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALLOW_SANITIZE=OFF >/dev/null
cmake --build "$native" --target trace_bench -j2 >/dev/null
"$native/bin/trace_bench"
cmake --build "$tree" --target trace_bench_win TraceViewer -j2 >/dev/null
. "$here/bench/scratch-prefix.sh"
cd "$tree/bin"
/usr/lib/wine/wine64 ./trace_bench_win.exe
