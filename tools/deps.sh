#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the benchmarks need, only when missing.
set -euo pipefail

packages=(cmake g++ make pkg-config qt6-base-dev libgl-dev qt6-translations-l10n
          fonts-noto-cjk fonts-arphic-uming fonts-wqy-zenhei xvfb xauth openbox xdotool
          desktop-file-utils appstream dpkg-dev lintian man-db libxcb-damage0-dev python3
          g++-mingw-w64-x86-64-posix ninja-build wine wine64 nsis zip unzip)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
