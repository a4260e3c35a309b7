#!/usr/bin/env bash
# The two Windows packages (tools/windows.sh --package) as a user meets them, under Wine on a private
# X display: the portable zip, unpacked into a folder with a Chinese name, keeps its history beside
# itself; the silently installed copy keeps it in %APPDATA%\Quillet; a copy ended by force does not
# lock the next start out; the silent uninstall removes the program and leaves the history.
# Usage: packages.sh [BUILD_FOLDER]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build-windows}" && pwd)
source "$root/tools/wine/wine-env.sh"
export WINEPATH= # the packages bring their own DLLs
version=$(sed -n 's/^project(Brenmoor VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
zip=$root/dist/Brenmoor-$version-win64.zip setup=$root/dist/Brenmoor-$version-setup.exe
work=$(mktemp -d)
pids=()
cleanup() {
    wineserver -k 2>/dev/null || true
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "packages under Wine: $*" >&2; exit 1; }

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.2; done
export DISPLAY=:$(cat "$work/display")
openbox --sm-disable 2>/dev/null &
pids+=($!)
new_wine_prefix

gbk_old=$'\xBE\xC9\xBC\xC7\xC2\xBC' # "旧记录"
# Starts the program, waits for its window, makes one result (the offset field clicked, today
# confirmed with Enter: 100 days on), closes it as a user does; checks it ended with status 0.
run_and_close() {
    local exe=$1 status=0 window=""
    "$wine" "$exe" >/dev/null 2>&1 &
    local pid=$!
    for _ in $(seq 150); do
        window=$(xdotool search --onlyvisible --name '^Brenmoor$' 2>/dev/null | head -1) && [ -n "$window" ] && break
        sleep 0.2
    done
    [ -n "$window" ] || fail "no window from $exe"
    sleep 1
    xdotool windowactivate --sync "$window" mousemove --window "$window" 58 233 click 1
    sleep 1
    xdotool key --clearmodifiers Return
    sleep 1
    xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4
    wait "$pid" || status=$?
    [ $status -eq 0 ] || fail "$exe ended with status $status"
}
# The history read (the old line first) and the new result, eight GBK lines with CR LF.
expect_history() {
    local text
    text=$(iconv -f GBK -t UTF-8 "$1" 2>/dev/null) || fail "$1 is missing or not GBK"
    [ "$(grep -c $'\r$' <<<"$text")" -eq 8 ] && [ "$(sed -n 1p <<<"$text")" = $'旧记录\r' ] &&
        sed -n 2p <<<"$text" | grep -q '的100天之后是：' || fail "$1 does not hold what was saved"
}

# The portable copy.
portable="$work/便携 版"
mkdir -p "$portable"
unzip -q "$zip" -d "$portable"
folder="$portable/Brenmoor-$version"
appdata="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Quillet"
printf '%s' "$gbk_old" >"$folder/Quillet.log"
run_and_close "$folder/Quillet.exe"
expect_history "$folder/Quillet.log"
[ ! -e "$appdata/Quillet.log" ] || fail "the portable copy wrote to %APPDATA%"
echo "portable copy in a Chinese-named folder: history read and saved beside it (GBK)"

# Ended by force while running; its process number is soon another's. The next start must not refuse.
"$wine" "$folder/Quillet.exe" >/dev/null 2>&1 &
killed=$!
for _ in $(seq 150); do xdotool search --onlyvisible --name '^Brenmoor$' >/dev/null 2>&1 && break; sleep 0.2; done
wineserver -k
wait "$killed" || true
printf '%s' "$gbk_old" >"$folder/Quillet.log"
run_and_close "$folder/Quillet.exe"
expect_history "$folder/Quillet.log"
echo "after a copy was killed by force, the next one starts"

# The installer.
"$wine" "$setup" /S
wineserver -w
installed="$WINEPREFIX/drive_c/Program Files/Brenmoor"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Brenmoor.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brenmoor'
[ -f "$installed/Quillet.exe" ] && [ -f "$shortcut" ] || fail "the installer put no program or shortcut in place"
"$wine" reg query "$key" /v UninstallString >/dev/null 2>&1 || fail "no entry among the installed programs"
mkdir -p "$appdata"
printf '%s' "$gbk_old" >"$appdata/Quillet.log"
run_and_close "$installed/Quillet.exe"
expect_history "$appdata/Quillet.log"
[ ! -e "$installed/Quillet.log" ] || fail "the installed copy wrote into Program Files"
echo "installed copy: history in %APPDATA%\\Quillet"

"$wine" "$installed/Uninstall.exe" /S
wineserver -w
[ ! -e "$installed" ] && [ ! -e "$shortcut" ] || fail "the uninstaller left the program or its shortcut"
! "$wine" reg query "$key" >/dev/null 2>&1 || fail "the uninstaller left the entry among the installed programs"
expect_history "$appdata/Quillet.log"
echo "uninstalled silently; the history stays"
