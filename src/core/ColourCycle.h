#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The 16-colour palette and the colour step of a blinking history line.
namespace ColourCycle {

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Index 0 black … 15 white, the classic 16-colour console palette.
Rgb PaletteColour(int index);

// The cycle a new history line runs through.
inline constexpr std::array<int, 7> BlinkCycle = {1, 3, 5, 8, 10, 12, 14};

// The colour every blink ends in, and the history lines' normal colour: dark cyan.
inline constexpr Rgb HistoryColour = {0, 128, 128};

// One step: the index that follows the number in `tag` within `cycle` (first match wins; an empty or
// non-numeric tag counts as 0; anything not in the cycle but its last six members restarts it).
int NextIndex(const QString& tag, const std::array<int, 7>& cycle = BlinkCycle);

} // namespace ColourCycle
