#include "Label.h"

#include "FocusFrame.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

Label::Label(QWidget* parent) : QLabel(parent) {
    // Labels show data (history lines, file contents): never interpret it as markup.
    setTextFormat(Qt::PlainText);
    // A label owns the pointer above it: moves over it never count as its frame's bare surface.
    setAttribute(Qt::WA_NoMousePropagation);
}

void Label::SetCaption(const QString& text) {
    setText(text);
    if (m_autoSize)
        resize(sizeHint());
}

void Label::SetAutoSize(bool autoSize) {
    m_autoSize = autoSize;
    if (m_autoSize)
        resize(sizeHint());
}

void Label::SetTextColour(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

void Label::SetBackColour(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
    setAutoFillBackground(true);
}

void Label::SetBold(bool bold) {
    QFont f = font();
    f.setBold(bold);
    setFont(f);
    if (m_autoSize)
        resize(sizeHint());
}

void Label::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    emit pressed(event->button(), event->buttons(), event->position().toPoint());
}

void Label::mouseMoveEvent(QMouseEvent* event) {
    emit moved(event->buttons(), event->position().toPoint());
}

void Label::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        event->button() == Qt::LeftButton && m_leftPressed && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_leftPressed = false;
    emit released(event->button(), event->buttons(), event->position().toPoint());
    if (click)
        emit clicked();
}

void Label::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit keyClicked();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void Label::paintEvent(QPaintEvent* event) {
    const QRect area = contentsRect();
    if (sizeHint().width() <= width()) {
        QLabel::paintEvent(event);
    } else {
        // Held to a width its text exceeds: the text ends in an ellipsis; text() stays whole.
        QPainter painter(this);
        style()->drawItemText(
            &painter, area, QStyle::visualAlignment(layoutDirection(), alignment()), palette(), isEnabled(),
            fontMetrics().elidedText(text(), Qt::ElideRight, area.width()), foregroundRole());
    }
    PaintFocusFrame(this, palette().color(QPalette::WindowText));
}
