#!/usr/bin/env bash
# Builds the Debian package brenmoor_<version>_<arch>.deb: a Release build in build-package with
# Debian's hardening flags, packed by CPack (dependencies from dpkg-shlibdeps) into the current
# folder. --build-dir DIR packs an existing build tree as it is instead; --out DIR puts the package
# there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$PWD
build=""
while [ $# -gt 0 ]; do
    case $1 in
        --build-dir) build=$(cd "$2" && pwd); shift 2 ;;
        --out) out=$(cd "$2" && pwd); shift 2 ;;
        -h|--help) sed -n '2,5s/^# \{0,1\}//p' "$0"; exit 0 ;;
        *) echo "package.sh: unknown option '$1'; see --help" >&2; exit 2 ;;
    esac
done

if [ -z "$build" ]; then
    bash "$root/tools/deps.sh"
    build=$root/build-package
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    eval "$(cd "$root" && dpkg-buildflags --export=sh)" # from the source folder, for its path maps
    export CXXFLAGS="$CPPFLAGS $CXXFLAGS" # CMake reads no CPPFLAGS
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$build" --target Quillet -j"$(nproc)"
fi

staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$staging" >"$staging/cpack.log" || { cat "$staging/cpack.log" >&2; exit 1; }
for deb in "$staging"/*.deb; do
    mv "$deb" "$out/"
    echo "$out/$(basename "$deb")"
done
