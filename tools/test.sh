#!/usr/bin/env bash
# Installs what is missing, then builds and tests twice: a normal build and an address +
# undefined-behaviour sanitizer build, both with warnings as errors, tests on the offscreen platform.
# The normal build also compiles the benchmarks and the screenshot tool, so they keep building.
# Then the Windows build: its tests under Wine, and its zip and installer used as a user would.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

build_and_test() {
    local dir=$1; shift
    cmake -S . -B "$dir" -DBRENMOOR_WERROR=ON "$@" >/dev/null
    cmake --build "$dir" -j"$jobs"
    ctest --test-dir "$dir" --output-on-failure -j"$jobs"
}

build_and_test build-ci -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRENMOOR_EXTRAS=ON
bash tools/check-package.sh build-ci
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    build_and_test build-asan -DCMAKE_BUILD_TYPE=Debug -DBRENMOOR_SANITIZE=ON -DBRENMOOR_EXTRAS=OFF

bash tools/windows.sh --package
bash tools/wine/run-tests.sh
bash tools/wine/check-packages.sh
