#!/usr/bin/env bash
# Checks the Debian package of a built tree as a user's system would: what dpkg says of it, its
# files, the unpacked program starting and ending well, and lintian. Usage: check-package.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check-package.sh: $*" >&2; exit 1; }

deb=$(bash "$root/tools/package.sh" --build-dir "$build" --out "$work")
info=$(dpkg-deb --info "$deb")
# Linked libraries come from dpkg-shlibdeps; the fonts and Qt's translations are needed unlinked.
for field in 'Section: utils' '日期推算与天数计算' 'Depends: .*libqt6widgets6' \
             'Depends: .*fonts-arphic-uming' 'Depends: .*fonts-wqy-zenhei' 'Depends: .*qt6-translations-l10n'; do
    grep -Eq "^ +$field" <<<"$info" || fail "no '$field' in the package's control data"
done
contents=$(dpkg-deb --contents "$deb")
id=io.github.brenmoor.Quillet
files=(bin/Quillet "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml"
       "share/icons/hicolor/scalable/apps/$id.svg")
for size in 16 32 48 64 128 256; do files+=("share/icons/hicolor/${size}x$size/apps/$id.png"); done
for file in "${files[@]}"; do
    grep -q " ./usr/$file\$" <<<"$contents" || fail "the package lacks /usr/$file"
done
dpkg-deb -x "$deb" "$work/unpacked"
# The unpacked program starts (offscreen, its own folders) and ends well when asked to.
export XDG_RUNTIME_DIR=$work/runtime XDG_DATA_HOME=$work/data QT_QPA_PLATFORM=offscreen
mkdir -m 700 "$work/runtime"
"$work/unpacked/usr/bin/Quillet" &
pid=$!
for _ in $(seq 100); do [ -s "$work/runtime/Quillet.lock" ] && break; sleep 0.1; done
[ -s "$work/runtime/Quillet.lock" ] || fail "the unpacked program did not start"
kill -TERM "$pid"
wait "$pid" || fail "the unpacked program did not end well"
lintian --fail-on error,warning "$deb"
echo "check-package.sh: $(basename "$deb") passed"
