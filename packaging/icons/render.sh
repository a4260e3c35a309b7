#!/usr/bin/env bash
# Renders the committed PNGs and the Windows icon from the SVG sources; run after editing them.
# Needs rsvg-convert (librsvg2-bin) and icotool (icoutils); the build itself needs neither.
set -euo pipefail
cd "$(dirname "$0")"
rsvg-convert -w 16 -h 16 quillet-16.svg -o quillet-16.png
for size in 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" quillet.svg -o "quillet-$size.png"
done
icotool -c -o quillet.ico quillet-16.png quillet-32.png quillet-48.png -r quillet-256.png
