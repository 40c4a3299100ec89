#!/usr/bin/env bash
# Runs the preview benchmark under Wine in a scratch prefix that is removed afterwards.
#   bench/run-preview-bench.sh [build tree] [files]
#   (default: build/win64, built first; 100,000 files in one folder)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
tree="${1:-$here/build/win64}"
cmake --build "$tree" --target preview_bench -j2 >/dev/null
. "$here/bench/scratch-prefix.sh"
# Wine looks a new name up case-insensitively in the whole folder, so making
# 100,000 files from Windows would take the better part of an hour: they are made
# here beforehand, and the benchmark only rewrites them.
temp="$(/usr/lib/wine/wine64 cmd /c echo %TEMP% </dev/null 2>/dev/null | tr -d '\r')"
temp="$(/usr/lib/wine/wine64 winepath -u "$temp" 2>/dev/null | tr -d '\r')/tallow-preview-bench"
mkdir -p "$temp"
python3 - "$temp" "${2:-100000}" <<'EOP'
import os, sys
folder, files = sys.argv[1], int(sys.argv[2])
for f in range(files):
    with open(os.path.join(folder, f"cache-entry-{f}.tmp"), "wb") as out:
        out.write(b"x" * (f % 100))
EOP
cd "$tree/bin"
/usr/lib/wine/wine64 ./preview_bench.exe ${2:-}
