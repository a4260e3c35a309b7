#!/usr/bin/env bash
# Cross-builds for 64-bit Windows in build-windows: Quillet.exe (with its version resource and icon)
# and the test executables, with mingw-w64 against the Qt in ../shared/qt6-mingw, warnings as errors.
# --package then also makes dist/Brenmoor-<version>-win64.zip (a portable folder) and
# dist/Brenmoor-<version>-setup.exe (an NSIS installer).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
qt=$(cd "$root/../shared/qt6-mingw" && pwd)
build=$root/build-windows
package=no
case ${1-} in
    --package) package=yes ;;
    "") ;;
    *) sed -n '2,5s/^# \{0,1\}//p' "$0"; exit 2 ;;
esac

bash "$root/tools/deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$qt/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBRENMOOR_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
[ $package = yes ] || exit 0

version=$(sed -n 's/^project(Brenmoor VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name=Brenmoor-$version
folder=$build/portable/$name
bash "$root/packaging/windows/stage.sh" "$build/src/Quillet.exe" "$qt" "$folder"
mkdir -p "$root/dist"
rm -f "$root/dist/$name-win64.zip"
(cd "$build/portable" && zip -qr9 -X "$root/dist/$name-win64.zip" "$name")
makensis -V2 -DVERSION="$version" -DSOURCE="$folder" -DICON="$root/packaging/icons/quillet.ico" -DOUTFILE="$root/dist/$name-setup.exe" \
    "$root/packaging/windows/installer.nsi"
echo "$root/dist/$name-win64.zip"
echo "$root/dist/$name-setup.exe"
