#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it; needs a desktop session.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
    echo "tools/run.sh: no graphical desktop session (DISPLAY and WAYLAND_DISPLAY are unset); run it from within one." >&2
    exit 1
fi
bash tools/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target Quillet -j"$(nproc)"
exec ./build/src/Quillet
