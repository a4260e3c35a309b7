#include "Frame.h"

#include <QMouseEvent>

namespace {
QString Css(const QColor& c) {
    return QStringLiteral("rgb(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue());
}
} // namespace

Frame::Frame(QWidget* parent) : QGroupBox(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
    setFlat(true);
}

void Frame::MakePanel(const QColor& background) {
    setStyleSheet(QStringLiteral("Frame#%1 { background: %2; border: none; margin: 0; padding: 0; }")
                      .arg(objectName(), Css(background)));
}

void Frame::MakeCaptioned(const QString& caption, const QColor& captionColour, const QColor& background) {
    setTitle(caption);
    const int half = fontMetrics().height() / 2;
    setStyleSheet(QStringLiteral("Frame#%1 { background: %2; border: 1px solid rgb(160,160,160);"
                                 " margin-top: %3px; }"
                                 "Frame#%1::title { subcontrol-origin: margin; subcontrol-position: top left;"
                                 " left: 6px; padding: 0 1px; color: %4; }")
                      .arg(objectName(), Css(background))
                      .arg(half)
                      .arg(Css(captionColour)));
}

void Frame::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit surfaceMoved();
}
