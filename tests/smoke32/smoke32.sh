#!/usr/bin/env bash
# The shipped tallowmere.exe is a 32-bit Windows GUI program that starts under
# 32-bit Wine: /i ends at once without touching settings, a plain start creates
# the user's settings with RunTimes 1 and shows the main window.
#   smoke32.sh WINE_RUN BIN_DIR PREFIX
set -u
run="$1" bin="$2" prefix="$3"
exe="$bin/tallowmere.exe"
fail() { echo "FAIL: $*"; exit 1; }

file "$exe" | grep -q 'PE32 executable (GUI) Intel 80386' || fail "not a 32-bit GUI program: $(file "$exe")"

# Only libraries every Windows since Vista has: anything else would have to ship
# beside the program (Wine has more of them than Windows, zlib1.dll among them).
for dll in $(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}'); do
    case "$dll" in
    kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | shell32.dll | ole32.dll | oleaut32.dll | \
        msimg32.dll | msvcrt.dll | ntdll.dll | userenv.dll | wininet.dll | comctl32.dll | comdlg32.dll) ;;
    *) fail "imports $dll, which Windows does not provide" ;;
    esac
done

settings() { find "$prefix/drive_c" -name setting.dat 2>/dev/null; }

"$run" "$exe" /i </dev/null >/dev/null 2>&1
rc=$?
[ "$rc" -eq 0 ] || fail "/i ended with $rc"
[ -z "$(settings)" ] || fail "/i created settings: $(settings)"

"$run" "$exe" </dev/null >/dev/null 2>&1 &
pid=$!
found=""
for _ in $(seq 1 600); do
    found="$(settings)"
    [ -n "$found" ] && grep -qi '^RunTimes=1' "$found" 2>/dev/null && break
    found=""
    sleep 1
done
[ -n "$found" ] || { kill "$pid" 2>/dev/null; fail "no setting.dat with RunTimes=1 after 600 s"; }
flag="$(find "$prefix/drive_c" -name UserFlag.ini 2>/dev/null)"
[ -n "$flag" ] || fail "no UserFlag.ini"
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
echo "1 passed, 0 failed"
