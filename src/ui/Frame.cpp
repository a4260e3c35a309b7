#include "Frame.h"

#include <QMouseEvent>
#include <QPainter>

Frame::Frame(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
    setAutoFillBackground(true);
}

void Frame::MakePanel(const QColor& background) {
    QPalette p = palette();
    p.setColor(QPalette::Window, background);
    setPalette(p);
}

void Frame::MakeCaptioned(const QString& caption, const QFont& captionFont, const QColor& captionColour,
                          const QColor& background) {
    MakePanel(background);
    m_caption = caption;
    m_captionFont = captionFont;
    m_captionColour = captionColour;
    update();
}

void Frame::paintEvent(QPaintEvent*) {
    if (m_caption.isEmpty())
        return;
    // A single grey border whose top line runs through the middle of the caption.
    QPainter painter(this);
    painter.setFont(m_captionFont);
    const QFontMetrics metrics = painter.fontMetrics();
    const int top = metrics.height() / 2;
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(QRect(0, top, width() - 1, height() - top - 1));
    const QRect captionRect(6, 0, metrics.horizontalAdvance(m_caption) + 2, metrics.height());
    painter.fillRect(captionRect, palette().color(QPalette::Window));
    painter.setPen(m_captionColour);
    painter.drawText(captionRect, Qt::AlignCenter, m_caption);
}

void Frame::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit surfaceMoved();
}
