#!/usr/bin/env bash
# Runs the language data's benchmark natively: parsing a 1 MB language file and
# one Apply of the main window. Built in its own tree without sanitizers
# (build/bench), since the native test tree's checks slow every call down.
#   bench/run-lang-bench.sh [benchmark arguments]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
tree="$here/build/bench"
[ -f "$tree/build.ninja" ] || cmake -S "$here" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALLOW_SANITIZE=OFF >/dev/null
cmake --build "$tree" --target lang_bench -j "${TALLOW_JOBS:-2}" >/dev/null
TALLOW_SOURCE_DIR="$here" "$tree/bench/lang_bench" "$@"
