#include "Frame.h"

#include <QMouseEvent>
#include <QPainter>

Frame::Frame(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
    setAutoFillBackground(true);
}

void Frame::SetBackground(const QColor& background) {
    QPalette p = palette();
    p.setColor(QPalette::Window, background);
    setPalette(p);
}

void Frame::setTitle(const QString& title) {
    m_title = title;
    setAccessibleName(title);
    update();
}

void Frame::SetTitleColour(const QColor& colour) {
    m_titleColour = colour;
    update();
}

void Frame::paintEvent(QPaintEvent*) {
    if (m_title.isEmpty())
        return;
    // A single grey border whose top line runs through the middle of the caption.
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int top = metrics.height() / 2;
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(QRect(0, top, width() - 1, height() - top - 1));
    const QRect captionRect(6, 0, metrics.horizontalAdvance(m_title) + 2, metrics.height());
    painter.fillRect(captionRect, palette().color(QPalette::Window));
    painter.setPen(m_titleColour);
    painter.drawText(captionRect, Qt::AlignCenter, m_title);
}

void Frame::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit surfaceMoved();
}
