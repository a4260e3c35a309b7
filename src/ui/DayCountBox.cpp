#include "DayCountBox.h"

#include "FocusFrame.h"

#include "core/DayCount.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProxyStyle>
#include <QValidator>

#include <algorithm>

namespace {

// A style whose text caret has no width: the box shows no caret while it has the focus.
class HiddenCaretStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_TextCursorWidth)
            return 0;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// Accepts text made only of characters a key may type.
class TypableCharacters : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        const bool typable = std::all_of(input.cbegin(), input.cend(), [](QChar c) {
            return c.unicode() != 8 && DayCount::IsDayCountKey(c); // backspace is a key, not text
        });
        return typable ? Acceptable : Invalid;
    }
};

QChar KeyCharacter(const QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return QChar(13);
    if (event->key() == Qt::Key_Backspace)
        return QChar(8);
    if (event->key() == Qt::Key_Delete)
        return QChar();
    return event->text().isEmpty() ? QChar() : event->text().at(0);
}

} // namespace

DayCountBox::DayCountBox(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(DayCount::MaxLength);
    // Typing is filtered key by key; this keeps pasted or dropped text to the same characters.
    setValidator(new TypableCharacters(this));
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    // Input-method text would bypass the key rules.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void DayCountBox::keyPressEvent(QKeyEvent* event) {
    const QString stripped = DayCount::StripMisplacedMinus(text());
    if (stripped != text())
        setText(stripped);

    const QChar character = KeyCharacter(event);
    if (character.isNull()) {
        // Keys without a character (arrows, Home, …) keep their editing function.
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (character == QChar(13))
        emit enterPressed();
    if (!DayCount::IsDayCountKey(character)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void DayCountBox::focusInEvent(QFocusEvent* event) {
    if (!dynamic_cast<HiddenCaretStyle*>(style())) {
        auto* caretless = new HiddenCaretStyle;
        caretless->setParent(this);
        setStyle(caretless);
        // An invisible caret need not blink: the blinking would wake the idle program twice a second.
        // This box is the program's only text field, so the setting touches nothing else.
        QApplication::setCursorFlashTime(0);
    }
    QLineEdit::focusInEvent(event);
}

void DayCountBox::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    PaintFocusFrame(this, palette().color(QPalette::Text));
}
