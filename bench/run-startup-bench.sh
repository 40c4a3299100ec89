#!/usr/bin/env bash
# Start-up and memory of tallowmere.exe against a bare Win32 window that loads the
# same system libraries and starts COM, in one scratch Wine prefix, interleaved
# round by round. Several program folders (say a release before and after a
# change) are measured in the same rounds, so that they share the machine's mood.
#   bench/run-startup-bench.sh [ROUNDS] [FOLDER ...]
#   (default: 9 rounds of build/win32/bin, built first)
# Prints, per program, the medians of the time from CreateProcess to a visible
# main window and of the peak working set a second later, and their ratios to
# the bare window's. A benchmark, not a test: run it on a quiet machine.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
rounds="${1:-9}"
shift || true
folders=("$@")
if [ ${#folders[@]} -eq 0 ]; then
    "$here/scripts/build" win32 >/dev/null
    folders=("$here/build/win32/bin")
fi
first="${folders[0]}/tallowmere.exe"
if file -b "$first" | grep -q 'PE32+'; then arch=x86_64; wine=/usr/lib/wine/wine64; else arch=i686; wine=wine; fi
for f in "${folders[@]}"; do
    [ -f "$f/tallowmere.exe" ] || { echo "no tallowmere.exe in $f" >&2; exit 2; }
done

export WINE=$wine
. "$here/bench/scratch-prefix.sh"
$arch-w64-mingw32-g++ -O2 -static -o "$scratch/probe.exe" "$here/bench/startup/probe.cpp" -lpsapi
$arch-w64-mingw32-g++ -O2 -static -mwindows -o "$scratch/bare.exe" "$here/bench/startup/bare.cpp" -lole32

drive="$WINEPREFIX/drive_c"
cp "$scratch/probe.exe" "$scratch/bare.exe" "$drive/"
names=()
for i in "${!folders[@]}"; do
    mkdir -p "$drive/app$i"
    cp -r "${folders[$i]}"/. "$drive/app$i/"
    names+=("$(cd "${folders[$i]}" && pwd)")
done
export WINE=$wine ROUNDS=$rounds COUNT=${#folders[@]} OUT="$scratch/out.txt"
timeout 3600 xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    cd "$WINEPREFIX/drive_c"
    # a new prefix finishes its own set-up on its first windowed starts
    $WINE probe.exe 1 500 "C:\\bare.exe" >/dev/null 2>&1 </dev/null
    for i in $(seq 0 $((COUNT - 1))); do $WINE probe.exe 1 500 "C:\\app$i\\tallowmere.exe" >/dev/null 2>&1 </dev/null; done
    for r in $(seq 1 "$ROUNDS"); do
        $WINE probe.exe 1 1000 "C:\\bare.exe" /dlls 2>/dev/null </dev/null | sed "s/^/bare /" >>"$OUT"
        for i in $(seq 0 $((COUNT - 1))); do
            $WINE probe.exe 1 1000 "C:\\app$i\\tallowmere.exe" 2>/dev/null </dev/null | sed "s/^/app$i /" >>"$OUT"
        done
    done' >/dev/null 2>&1
python3 - "$OUT" "${names[@]}" <<'EOP'
import sys, statistics as st
rows = [l.split() for l in open(sys.argv[1]) if ' visible_ms ' in l and 'NOWINDOW' not in l]
def med(who, key):
    v = [float(r[r.index(key) + 1]) for r in rows if r[0] == who]
    return (st.median(v) if v else float('nan')), len(v)
bv, n = med('bare', 'visible_ms'); bm, _ = med('bare', 'peak_ws_kb')
print(f"bare window: {bv:.0f} ms to visible, peak working set {bm / 1024:.1f} MB ({n} rounds)")
for i, name in enumerate(sys.argv[2:]):
    pv, n = med(f'app{i}', 'visible_ms'); pm, _ = med(f'app{i}', 'peak_ws_kb')
    print(f"{name}: {pv:.0f} ms, {pm / 1024:.1f} MB ({n} rounds); start ratio {pv / bv:.2f}, memory ratio {pm / bm:.2f}")
EOP
