#include "ControlFactory.h"

#include "ChineseFonts.h"
#include "DesignColours.h"
#include "FlatButton.h"
#include "Label.h"

#include <QTimer>

namespace ControlFactory {

QString IndexedName(const char* name, int index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

Label* MakeLabel(QWidget* parent, const QString& name, QRect rect, const QString& text, const LabelLook& look,
                 const QFont& font, const QString& tip) {
    auto* label = new Label(parent);
    label->setObjectName(name);
    label->setGeometry(rect);
    label->setFont(font);
    label->setAlignment(look.alignment | Qt::AlignTop);
    label->SetTextColour(look.text);
    if (look.back.isValid())
        label->SetBackColour(look.back);
    label->setToolTip(tip);
    label->SetCaption(text);
    label->SetAutoSize(look.autoSize);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, QRect rect, const QString& text,
                        const QFont& font) {
    auto* button = new FlatButton(text, DesignColours::Blue, parent);
    button->setObjectName(name);
    button->setGeometry(rect);
    button->setFont(font);
    return button;
}

QTimer* MakeTimer(QObject* parent, const QString& name, int interval) {
    auto* timer = new QTimer(parent);
    timer->setObjectName(name);
    timer->setInterval(interval);
    // Coarse timers may fire up to 5 % early or late, enough to lose a colour step of a blink.
    timer->setTimerType(Qt::PreciseTimer);
    return timer;
}

QFont DefaultFont() {
    return ChineseFonts::Song(9);
}

} // namespace ControlFactory
