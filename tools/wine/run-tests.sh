#!/usr/bin/env bash
# Runs the test executables of the Windows build (tools/windows.sh) under Wine, offscreen, in a
# fresh Wine prefix; prints each one's log when it fails. Usage: run-tests.sh [BUILD_FOLDER]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build-windows}" && pwd)
source "$root/tools/wine/wine-env.sh"
new_wine_prefix
# Offscreen, Qt reads fonts from the files in one folder, not from Windows: Debian's own files of the
# faces the Linux build draws with, so the layout is measured in the same faces.
mkdir -p "$build/fonts"
for font in /usr/share/fonts/truetype/arphic/uming.ttc /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc \
            /usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf; do
    ln -sf "$font" "$build/fonts/"
done
# Wine hands no QT_* variable of Linux to Windows programs; set inside, it reaches the copies the
# tests start too.
environment="set QT_QPA_PLATFORM=offscreen&& set QT_QPA_FONTDIR=$(windows_path "$build/fonts")&& set QUILLET_EXE=$(windows_path "$build/src/Quillet.exe")"
logs=$build/wine-logs
rm -rf "$logs" && mkdir -p "$logs"
failed=()
cd "$build/tests"
for test in tst_*.exe; do
    name=${test%.exe}
    status=0
    run() { "$wine" cmd /c "$environment&& $test -o $(windows_path "$logs/$name.txt"),txt" >/dev/null 2>&1; }
    run || status=$?
    # Once in a while Wine fails to start a program at all (no log written): one more try.
    if [ ! -s "$logs/$name.txt" ]; then
        echo "$name did not start under Wine (status $status); once more"
        status=0
        run || status=$?
    fi
    summary=$(grep -a '^Totals:' "$logs/$name.txt" 2>/dev/null || echo "no result (exit status $status)")
    echo "$name under Wine: $summary"
    grep -a '^SKIP' -A1 "$logs/$name.txt" 2>/dev/null | grep -a -v '^ *Loc:' | sed 's/^/    /' || true
    if [ $status -ne 0 ]; then
        failed+=("$name")
        cat "$logs/$name.txt" 2>/dev/null || true
    fi
done
[ ${#failed[@]} -eq 0 ] || { echo "failed under Wine: ${failed[*]}" >&2; exit 1; }
