#include "ColourCycle.h"

namespace ColourCycle {

namespace {

constexpr std::array<Rgb, 16> Palette = {{
    {0, 0, 0},
    {0, 0, 128},
    {0, 128, 0},
    {0, 128, 128},
    {128, 0, 0},
    {128, 0, 128},
    {128, 128, 0},
    {192, 192, 192},
    {128, 128, 128},
    {0, 0, 255},
    {0, 255, 0},
    {0, 255, 255},
    {255, 0, 0},
    {255, 0, 255},
    {255, 255, 0},
    {255, 255, 255},
}};

} // namespace

Rgb PaletteColour(int index) {
    if (index < 0 || index >= static_cast<int>(Palette.size()))
        return Palette.front();
    return Palette.at(static_cast<std::size_t>(index));
}

int NextIndex(const QString& tag, const std::array<int, 7>& cycle) {
    bool ok = false;
    int current = tag.trimmed().toInt(&ok);
    if (!ok)
        current = 0;
    // The first match wins, so a cycle that repeats a colour always takes its earliest successor.
    for (std::size_t i = 0; i + 1 < cycle.size(); ++i) {
        if (current == cycle.at(i))
            return cycle.at(i + 1);
    }
    return cycle.front();
}

} // namespace ColourCycle
