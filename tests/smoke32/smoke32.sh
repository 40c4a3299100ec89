#!/usr/bin/env bash
# The shipped release under 32-bit Wine, from the installer to the uninstaller:
# tallowmere.exe is a stripped 32-bit GUI program whose version record says App.Ver;
# the installer, run silently, refuses a folder of other files (exit code not 0,
# nothing installed), puts the shipped files (those of the portable zip) into
# Program Files with a Start-menu entry, an Add/Remove Programs entry and the
# channel value (its own file name), installs again over that earlier
# installation; the installed program starts, creates the user's settings with
# RunTimes 1 and shows the main window; the silent uninstall removes the files, the
# entries and the channel value and keeps the user's settings.
#   smoke32.sh WINE_RUN BIN_DIR PREFIX
# Each 32-bit program start may take a minute (an emulator runs Wine's 32-bit loader
# on some machines), so this test starts five programs only.
set -u
run="$1" bin="$2" prefix="$3"
exe="$bin/tallowmere.exe"
fail() { echo "FAIL: $*"; exit 1; }

ver="$(sed -n 's/^App\.Ver=//p' "$bin/const.dat" | tr -d '\r')"
name="$(sed -n 's/^App\.Name=//p' "$bin/const.dat" | tr -d '\r')"
regpath="$(sed -n 's/^App\.RegPath=//p' "$bin/const.dat" | tr -d '\r')"
stem="tallowmere-$ver"
[ -n "$ver" ] && [ -n "$name" ] && [ -n "$regpath" ] || fail "no App.Ver, App.Name or App.RegPath in const.dat"

file "$exe" | grep -q 'PE32 executable (GUI) Intel 80386' || fail "not a 32-bit GUI program: $(file "$exe")"
! i686-w64-mingw32-objdump -h "$exe" | grep -q '\.debug_' || fail "the shipped program carries debug information"

# Only libraries every Windows since Vista has: anything else would have to ship
# beside the program (Wine has more of them than Windows, zlib1.dll among them).
for dll in $(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}'); do
    case "$dll" in
    wininet.dll | userenv.dll) fail "imports $dll, which must load only when first used, not at every start" ;;
    kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | shell32.dll | ole32.dll | oleaut32.dll | \
        msimg32.dll | msvcrt.dll | ntdll.dll | comctl32.dll | comdlg32.dll | \
        bcrypt.dll | shlwapi.dll | imm32.dll) ;;
    *) fail "imports $dll, which Windows does not provide" ;;
    esac
done

# The version record's FileVersion and ProductVersion texts (UTF-16, each value
# 32-bit aligned after its key) are App.Ver.
i686-w64-mingw32-objcopy -O binary --only-section=.rsrc "$exe" "$(dirname "$prefix")/rsrc.bin" || fail "no resources"
python3 - "$(dirname "$prefix")/rsrc.bin" "$ver" <<'PY' || fail "version record does not say $ver"
import sys
data, want = open(sys.argv[1], "rb").read(), sys.argv[2]
for key in ("FileVersion", "ProductVersion"):
    at = data.find((key + "\0").encode("utf-16-le"))
    if at < 0:
        sys.exit(f"no {key}")
    at += len(key) * 2 + 2
    at += -at % 4
    end = data.find(b"\0\0", at)
    end += (end - at) % 2
    got = data[at:end].decode("utf-16-le")
    if got != want:
        sys.exit(f"{key} is {got!r}")
PY

setup="$bin/$stem-setup.exe" zip="$bin/$stem-portable.zip"
[ -f "$zip" ] || fail "no $stem-portable.zip"
if [ ! -f "$setup" ]; then
    echo "SKIP: no $stem-setup.exe (makensis missing: scripts/setup installs the package nsis)"
    exit 77
fi
file "$setup" | grep -q 'PE32 executable (GUI) Intel 80386' || fail "setup is not a 32-bit GUI program"

# The registry below HKEY_LOCAL_MACHINE\Software as 32-bit programs see it, read
# by the 64-bit reg.exe (quick to start) from Wow6432Node.
reg() {
    WINEPREFIX="$prefix" HOME="$(dirname "$prefix")/home" WINEDEBUG=-all WINELOADER=/usr/lib/wine/wine64 \
        /usr/lib/wine/wine64 reg query "HKLM\\Software\\Wow6432Node\\$1" /v "$2" </dev/null 2>/dev/null |
        tr -d '\r' | awk -v v="$2" '$1 == v { sub(/^ *[^ ]+ +REG_[A-Z_]+ +/, ""); print; f=1 } END { exit !f }'
}
uninstall_key="Microsoft\\Windows\\CurrentVersion\\Uninstall\\$name"
channel_key="$regpath"

# A folder that holds other files is no place for the program.
occupied="$prefix/drive_c/Occupied"
mkdir -p "$occupied" && echo "keep" >"$occupied/notes.txt"
"$run" "$setup" /S '/D=C:\Occupied' </dev/null >/dev/null 2>&1
rc=$?
[ "$rc" -ne 0 ] || fail "silent install into a folder of other files ended with 0"
[ "$(ls -A "$occupied")" = "notes.txt" ] || fail "installed into a folder of other files: $(ls -A "$occupied")"
! reg "$uninstall_key" DisplayName >/dev/null || fail "a refused install made an uninstall entry"

"$run" "$setup" /S </dev/null >/dev/null 2>&1
rc=$?
[ "$rc" -eq 0 ] || fail "silent install ended with $rc"
dir="$prefix/drive_c/Program Files (x86)/$name"
windir="C:\\Program Files (x86)\\$name"  # the same folder as Windows names it
[ -f "$dir/tallowmere.exe" ] || fail "nothing installed in $dir"
shipped="$(python3 -c 'import sys, zipfile; [print(n.split("/", 1)[1]) for n in zipfile.ZipFile(sys.argv[1]).namelist() if not n.endswith("/")]' "$zip")"
[ -n "$shipped" ] || fail "the portable zip is empty"
while IFS= read -r f; do
    cmp -s "$bin/$f" "$dir/$f" || fail "installed $f differs from the shipped one"
done <<<"$shipped"
[ -f "$dir/uninstall.exe" ] || fail "no uninstaller"
menu="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$name.lnk"
[ -f "$menu" ] || fail "no Start-menu entry"
chl="$(reg "$channel_key" CHL)" || fail "no channel value CHL"
[ "$chl" = "$stem-setup.exe" ] || fail "CHL is $chl, not the installer's file name"
[ "$(reg "$uninstall_key" DisplayVersion)" = "$ver" ] || fail "DisplayVersion is not $ver"
for v in DisplayName Publisher DisplayIcon EstimatedSize UninstallString QuietUninstallString; do
    [ -n "$(reg "$uninstall_key" $v)" ] || fail "no $v in the uninstall entry"
done
quiet="$(reg "$uninstall_key" QuietUninstallString)"
[ "$quiet" = "\"$windir\\uninstall.exe\" /S" ] || fail "QuietUninstallString is $quiet"

# An earlier installation's folder takes the new one (the uninstaller marks it).
"$run" "$setup" /S </dev/null >/dev/null 2>&1
rc=$?
[ "$rc" -eq 0 ] || fail "silent install over the earlier installation ended with $rc"
cmp -s "$bin/tallowmere.exe" "$dir/tallowmere.exe" || fail "the second install left no tallowmere.exe"

# The installed program keeps its settings in the folder named after its path.
config="C__Program Files (x86)_${name}_tallowmere.exe"
settings() { find "$prefix/drive_c" -path "*/$config/setting.dat" 2>/dev/null; }
"$run" "$windir\\tallowmere.exe" </dev/null >/dev/null 2>&1 &
pid=$!
found=""
for _ in $(seq 1 600); do
    found="$(settings)"
    [ -n "$found" ] && grep -qi '^RunTimes=1' "$found" 2>/dev/null && break
    found=""
    sleep 1
done
[ -n "$found" ] || { kill "$pid" 2>/dev/null; fail "no setting.dat with RunTimes=1 after 600 s"; }
flag="$(find "$prefix/drive_c" -path "*/$config/UserFlag.ini" 2>/dev/null)"
[ -n "$flag" ] || fail "no UserFlag.ini in $config"
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null

# The uninstaller copies itself to the temporary folder and works from there.
"$run" "$windir\\uninstall.exe" /S </dev/null >/dev/null 2>&1
for _ in $(seq 1 600); do
    [ -e "$dir" ] || break
    sleep 1
done
[ ! -e "$dir" ] || fail "left behind: $(cd "$dir" && find . -type f | head -5)"
[ ! -e "$menu" ] || fail "Start-menu entry left behind"
! reg "$uninstall_key" DisplayName >/dev/null || fail "uninstall entry left behind"
! reg "$channel_key" CHL >/dev/null || fail "channel value left behind"
[ -n "$(settings)" ] || fail "the silent uninstall removed the user's settings"
echo "1 passed, 0 failed"
