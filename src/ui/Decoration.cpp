#include "Decoration.h"

#include <QPainter>

Decoration::Decoration(Kind kind, const QColor& colour, int penPixels, QWidget* parent)
    : QWidget(parent), m_kind(kind), m_colour(colour), m_penPixels(penPixels) {
    // Lines and outlines are part of their frame's bare surface.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Decoration::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_kind == Kind::Outline) {
        // Drawn inside the rectangle.
        const int w = m_penPixels;
        painter.fillRect(0, 0, width(), w, m_colour);
        painter.fillRect(0, height() - w, width(), w, m_colour);
        painter.fillRect(0, 0, w, height(), m_colour);
        painter.fillRect(width() - w, 0, w, height(), m_colour);
        return;
    }
    QPen pen(m_colour, m_penPixels, m_kind == Kind::DottedLine ? Qt::DotLine : Qt::SolidLine);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    const qreal y = m_penPixels / 2.0;
    painter.drawLine(QPointF(0, y), QPointF(width(), y));
}
