#include "TitleBarDrag.h"

#include "Label.h"
#include "Twips.h"

TitleBarDrag::TitleBarDrag(QWidget* panel, Label* title, Label* closeGlyph)
    : m_panel(panel), m_title(title), m_closeGlyph(closeGlyph) {}

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
    // One edge at a time, each reading the panel's current place. The window's border and title bar
    // lie outside the client area, so the panel's far edges stop at the client area's edges: the
    // border allowance alone would leave the panel two pixels past the right edge.
    const QWidget* window = m_panel->parentWidget();
    if (m_panel->x() < 0)
        m_panel->move(0, m_panel->y());
    if (m_panel->y() < 0)
        m_panel->move(m_panel->x(), 0);
    const int maxLeft = window->width() - m_panel->width();
    if (m_panel->x() > maxLeft)
        m_panel->move(maxLeft, m_panel->y());
    const int maxTop = window->height() - m_panel->height();
    if (m_panel->y() > maxTop)
        m_panel->move(m_panel->x(), maxTop);
}
