#pragma once

#include <QPoint>
#include <QRect>

// The layout is designed in twips; 15 twips are one logical pixel at 96 dpi. Every conversion goes
// through here, and Qt's device pixel ratio takes care of high-density screens.
namespace Twips {

inline constexpr int PerPixel = 15;

constexpr int ToPixels(int twips) {
    // Round half away from zero so negative positions mirror positive ones.
    return twips >= 0 ? (twips + PerPixel / 2) / PerPixel : -((-twips + PerPixel / 2) / PerPixel);
}

constexpr int FromPixels(int pixels) {
    return pixels * PerPixel;
}

inline QRect Rect(int left, int top, int width, int height) {
    return QRect(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
}

inline QPoint Point(int x, int y) {
    return QPoint(ToPixels(x), ToPixels(y));
}

} // namespace Twips
