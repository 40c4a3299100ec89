#!/usr/bin/env bash
# Counts the requests tallowmere.exe makes to the Wine server (windows, registry,
# files, messages) from its first one to the moment its main window shows, against
# the bare Win32 window of the start-up benchmark. Under Wine most of a start is
# spent in these round trips, and unlike a time their number does not depend on
# the machine's mood: run it after a change to see what the change costs.
#   bench/run-startup-requests.sh [FOLDER]   (default: build/win32/bin, built first)
# Prints each program's count, the ratio, and the program's requests by kind.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
folder="${1:-}"
if [ -z "$folder" ]; then
    "$here/scripts/build" win32 >/dev/null
    folder="$here/build/win32/bin"
fi
folder="$(cd "$folder" && pwd)"
if file -b "$folder/tallowmere.exe" | grep -q 'PE32+'; then arch=x86_64; wine=/usr/lib/wine/wine64; else arch=i686; wine=wine; fi

export WINE=$wine
. "$here/bench/scratch-prefix.sh"
$arch-w64-mingw32-g++ -O2 -static -mwindows -o "$scratch/bare.exe" "$here/bench/startup/bare.cpp" -lole32
drive="$WINEPREFIX/drive_c"
mkdir -p "$drive/app"
cp -r "$folder"/. "$drive/app/"
cp "$scratch/bare.exe" "$drive/"
export OUT="$scratch"
timeout 600 xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    cd "$WINEPREFIX/drive_c"
    # a server started under +server prints every request to the standard error
    # of the program that started it; what each traced start adds is cut out of it
    export WINEDEBUG=+server
    $WINE cmd /c exit </dev/null >/dev/null 2>"$OUT/server.txt"
    wineserver -p 60
    run() {  # program and its arguments
        $WINE "$@" </dev/null >/dev/null 2>/dev/null & sleep 4
        $WINE taskkill /f /im "${1##*\\}" </dev/null >/dev/null 2>&1; wait $!
    }
    # the first starts finish the prefix set-up and write the settings
    run "C:\\bare.exe"; run "C:\\app\\tallowmere.exe"
    from=$(wc -l <"$OUT/server.txt"); run "C:\\bare.exe" /dlls
    tail -n +$((from + 1)) "$OUT/server.txt" >"$OUT/bare.txt"
    from=$(wc -l <"$OUT/server.txt"); run "C:\\app\\tallowmere.exe"
    tail -n +$((from + 1)) "$OUT/server.txt" >"$OUT/prog.txt"
    wineserver -k' >/dev/null 2>&1 || true
python3 - "$scratch/bare.txt" "$scratch/prog.txt" <<'EOP'
import re, sys, collections
def count(path, exe):
    lines = open(path, errors="replace").read().splitlines()
    # the started process's first thread is the one that looks up its own program
    main = next((l[:4] for l in lines if "get_key_value(" in l and exe + '"' in l), None)
    kinds = collections.Counter()
    for line in lines:
        m = re.match(r"([0-9a-f]{4}): (\w+)\( (.*)", line)
        if not m or m.group(1) != main:
            continue
        name, args = m.group(2), m.group(3)
        kinds[name] += 1
        flags = re.search(r"swp_flags=([0-9a-f]+)", args)
        if name == "set_window_pos" and flags and int(flags.group(1), 16) & 0x40:  # SWP_SHOWWINDOW
            return sum(kinds.values()), kinds
    return None, kinds
bare, _ = count(sys.argv[1], "bare.exe")
prog, kinds = count(sys.argv[2], "tallowmere.exe")
if not bare or not prog:
    sys.exit(f"no window showed in the trace (bare {bare}, program {prog})")
print(f"requests to the Wine server until the main window shows: program {prog}, bare window {bare}; ratio {prog / bare:.2f}")
print("program's requests by kind: " + ", ".join(f"{k} {v}" for k, v in kinds.most_common(12)))
EOP
