#include "FlatButton.h"

#include "FocusFrame.h"

#include <QKeyEvent>
#include <QPainter>

FlatButton::FlatButton(const QString& text, const QColor& background, QWidget* parent)
    : QPushButton(text, parent), m_background(background) {
    setAutoDefault(true);
    setAttribute(Qt::WA_NoMousePropagation);
}

void FlatButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(rect(), isDown() ? m_background.darker(115) : m_background);
    painter.setPen(m_background.darker(130));
    painter.drawRect(area);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(rect().translated(isDown() ? QPoint(1, 1) : QPoint()), Qt::AlignCenter, text());
    painter.end();
    PaintFocusFrame(this, Qt::black, 2);
}

void FlatButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        event->ignore();
        return;
    default:
        QPushButton::keyPressEvent(event);
    }
}
