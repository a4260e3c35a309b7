#pragma once

#include <QPainter>
#include <QWidget>

// The dotted outline that shows which control has the keyboard focus, `inset` pixels inside it.
inline void PaintFocusFrame(QWidget* widget, const QColor& colour, int inset = 0) {
    if (!widget->hasFocus())
        return;
    QPainter painter(widget);
    painter.setPen(QPen(colour, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(widget->rect().adjusted(inset, inset, -1 - inset, -1 - inset));
}
