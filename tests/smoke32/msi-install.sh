#!/usr/bin/env bash
# The MSI package under Wine's msiexec: a silent install puts every shipped file
# (the portable folder's), the Start-menu shortcut, the channel value and the
# Add/Remove Programs entry in place; a silent removal takes all of them away,
# with the uninstalling user's sign-in Run value.
#   msi-install.sh WINE_ROOT BIN_DIR STAGE_DIR
# The package is an x86 one; the prefix's 64-bit msiexec installs it as on 64-bit
# Windows (Program Files (x86), the 32-bit registry view) without starting any
# 32-bit program, which this machine may only run through an emulator.
set -u
root="$1" bin="$2" stage="$3"
export WINEPREFIX="$root/prefix" HOME="$root/home" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=" WINELOADER=/usr/lib/wine/wine64
wine=/usr/lib/wine/wine64
msis=("$bin"/*.msi)
if [ ! -f "${msis[0]}" ]; then
    echo "SKIP: no MSI package in $bin (wixl missing at build time)"
    exit 77
fi
msi="${msis[0]}"
name="$(basename "$msi")"
portable="$stage/${name%.msi}"
dir="$WINEPREFIX/drive_c/Program Files (x86)/Tallowmere"
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
reg_has() { "$wine" reg query "$@" >/dev/null 2>&1; }
shortcuts() { find "$WINEPREFIX/drive_c" -name 'Tallowmere.lnk' -path '*Start Menu*'; }
uninstall_entry() {
    for view in 'HKLM\Software' 'HKLM\Software\Wow6432Node'; do
        "$wine" reg query "$view\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s 2>/dev/null
    done | tr -d '\r' | grep -c 'DisplayName *REG_SZ *Tallowmere$'
}

"$wine" msiexec /i "Z:${msi//\//\\}" /qn || fail "msiexec /i ended with $?"
(cd "$portable" && find . -type f | sed 's|^\./||') | while IFS= read -r f; do
    cmp -s "$portable/$f" "$dir/$f" || echo "FAIL: not installed: $f"
done | tee /dev/stderr | grep -q FAIL && fail "files missing"
[ -n "$(shortcuts)" ] || fail "no Start-menu shortcut"
"$wine" reg query 'HKLM\Software\Wow6432Node\Tallowmere' /v CHL 2>/dev/null | grep -q "CHL *REG_SZ *$name" ||
    fail "no channel value CHL=$name"
[ "$(uninstall_entry)" = 1 ] || fail "no Add/Remove Programs entry"

"$wine" reg add "$run_key" /v Tallowmere /d "\"C:\\Program Files (x86)\\Tallowmere\\tallowmere.exe\" /clean" /f >/dev/null 2>&1
"$wine" reg add "$run_key" /v Other /d other.exe /f >/dev/null 2>&1
"$wine" msiexec /x "Z:${msi//\//\\}" /qn || fail "msiexec /x ended with $?"
[ ! -e "$dir" ] || fail "left behind: $(cd "$dir" && find .)"
[ -z "$(shortcuts)" ] || fail "shortcut left: $(shortcuts)"
! reg_has 'HKLM\Software\Wow6432Node\Tallowmere' || fail "channel key left"
[ "$(uninstall_entry)" = 0 ] || fail "Add/Remove Programs entry left"
! reg_has "$run_key" /v Tallowmere || fail "sign-in Run value left"
reg_has "$run_key" /v Other || fail "another program's Run value removed"

[ "$failures" -eq 0 ] || exit 1
echo "the MSI package installed and removed $name silently, leaving nothing"
