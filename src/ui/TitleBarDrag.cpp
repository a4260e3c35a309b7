#include "TitleBarDrag.h"

#include "Label.h"
#include "Twips.h"

#include <algorithm>

namespace {
// The window's outer width as created, and the fixed allowances for its border and its title bar,
// in twips. The outer height is the client area's height plus the title bar's allowance: what the
// window manager reports can be unknown for a while after the window is mapped.
constexpr int WindowOuterWidth = 4920;
constexpr int BorderAllowance = 90;
constexpr int TitleAllowance = 400;
} // namespace

TitleBarDrag::TitleBarDrag(QWidget* panel, QSize panelTwips, Label* title, Label* closeGlyph)
    : m_panel(panel), m_panelTwips(panelTwips), m_title(title), m_closeGlyph(closeGlyph) {}

void TitleBarDrag::OnPressed(int label, QPoint position) {
    if (label == 0) {
        TitleDragging = true;
        DragStartX = static_cast<std::int16_t>(Twips::FromPixels(position.x()));
        DragStartY = static_cast<std::int16_t>(Twips::FromPixels(position.y()));
        m_title->SetTextColour(Qt::black);
    } else {
        m_closeGlyph->SetTextColour(Qt::red);
        m_closeGlyph->SetBold(false);
    }
}

void TitleBarDrag::OnMoved(Qt::MouseButtons buttons, QPoint position) {
    // Only the left button alone drags.
    if (buttons != Qt::LeftButton || !TitleDragging)
        return;
    const int left = Twips::FromPixels(m_panel->x()) - DragStartX + Twips::FromPixels(position.x());
    const int top = Twips::FromPixels(m_panel->y()) - DragStartY + Twips::FromPixels(position.y());
    m_panel->move(Twips::ToPixels(left), Twips::ToPixels(top));
}

void TitleBarDrag::OnReleased(int label) {
    TitleDragging = false;
    m_title->SetTextColour(Qt::white);
    if (label == 1) {
        m_closeGlyph->SetTextColour(Qt::white);
        m_closeGlyph->SetBold(true);
    }
    SnapInside();
}

void TitleBarDrag::SnapInside() {
    // One edge at a time, each reading the panel's current place.
    const int outerHeight = Twips::FromPixels(m_panel->parentWidget()->height()) + TitleAllowance;
    if (m_panel->x() < 0)
        m_panel->move(0, m_panel->y());
    if (m_panel->y() < 0)
        m_panel->move(m_panel->x(), 0);
    // The allowance leaves the panel two pixels wider than the client area; it stops at the edge.
    const int maxLeft = std::min(Twips::ToPixels(WindowOuterWidth - m_panelTwips.width() - BorderAllowance),
                                 m_panel->parentWidget()->width() - m_panel->width());
    if (m_panel->x() > maxLeft)
        m_panel->move(maxLeft, m_panel->y());
    const int maxTop = outerHeight - m_panelTwips.height() - TitleAllowance;
    if (Twips::FromPixels(m_panel->y()) > maxTop)
        m_panel->move(m_panel->x(), Twips::ToPixels(maxTop));
}
