#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class Label;
class QObject;
class QPushButton;
class QTimer;
class QWidget;

// Builders for the controls of the window: each gets its design name, place (in pixels, converted
// from twips by the caller), text and look.
namespace ControlFactory {

// "History_3": a member of a control array is named after the array and its index.
QString IndexedName(const char* name, int index);

struct LabelLook {
    QColor text;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool autoSize = false;
    QColor back = {}; // invalid: transparent
};

// `font` is the label's own; the window's default font otherwise.
Label* MakeLabel(QWidget* parent, const QString& name, QRect rect, const QString& text, const LabelLook& look,
                 const QFont& font, const QString& tip = {});
QPushButton* MakeButton(QWidget* parent, const QString& name, QRect rect, const QString& text,
                        const QFont& font);
QTimer* MakeTimer(QObject* parent, const QString& name, int interval);

// The window's default font: 9-point "宋体".
QFont DefaultFont();

} // namespace ControlFactory
