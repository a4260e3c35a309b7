#pragma once

#include <QColor>

// A colour as the layout writes it, &H00BBGGRR.
inline QColor FromBgr(unsigned int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

// The colours several parts of the window share.
namespace DesignColours {
inline const QColor Blue = FromBgr(0x00FF9933);     // title bars, outlines, buttons, the bottom bar
inline const QColor ListBlue = FromBgr(0x00FFC16C); // the lists and the marked day cell
inline const QColor Paper = FromBgr(0x00C4E2C0);    // the window's and the calculation frames' background
inline const QColor Grey40 = FromBgr(0x00404040);   // plain texts of the calculation frames
} // namespace DesignColours
