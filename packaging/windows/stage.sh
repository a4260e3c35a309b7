#!/usr/bin/env bash
# Puts together the folder Quillet.exe runs from on Windows: the program, the Qt and mingw runtime
# DLLs it loads, Qt's plugins where qt.conf tells Qt to look, Qt's Chinese texts and the licences.
# Usage: stage.sh QUILLET_EXE QT_FOR_WINDOWS OUT_FOLDER
set -euo pipefail
[ $# -eq 3 ] || { sed -n '4s/^# //p' "$0" >&2; exit 2; }
exe=$1 qt=$2 out=$3
here=$(cd "$(dirname "$0")" && pwd)
mingw_gcc=/usr/lib/gcc/x86_64-w64-mingw32/12-posix
rm -rf "$out"
mkdir -p "$out/platforms" "$out/styles" "$out/translations" "$out/licenses"
cp "$exe" "$out/"
cp "$qt"/bin/Qt6{Core,Gui,Widgets}.dll "$mingw_gcc"/libstdc++-6.dll "$mingw_gcc"/libgcc_s_seh-1.dll \
   /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$out/"
# Debian ships the runtime DLLs with their symbols: a third of their size here.
x86_64-w64-mingw32-strip --strip-unneeded "$out"/Quillet.exe "$out"/lib*.dll
cp "$qt/plugins/platforms/qwindows.dll" "$out/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$out/styles/"
cp /usr/share/qt6/translations/qtbase_zh_CN.qm "$out/translations/"
cp "$here/qt.conf" "$out/"
cp "$qt/LICENSES/LGPL-3.0-only.txt" "$qt/LICENSES/GPL-3.0-only.txt" "$out/licenses/"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$out/licenses/libgcc-libstdc++.txt"
cp /usr/share/doc/mingw-w64-common/copyright "$out/licenses/libwinpthread.txt"
sed 's/$/\r/' "$here/LICENSES.txt" >"$out/LICENSES.txt"
