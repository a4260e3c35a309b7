#include "DayCountBox.h"

#include "FocusFrame.h"

#include "core/DayCount.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QValidator>

#include <algorithm>

namespace {

// A character the box may hold: one a key types (backspace is a key, not text).
bool IsTypable(QChar c) {
    return c.unicode() != 8 && DayCount::IsDayCountKey(c);
}

// Accepts text made only of characters a key may type.
class TypableCharacters : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return std::all_of(input.cbegin(), input.cend(), IsTypable) ? Acceptable : Invalid;
    }
};

QChar KeyCharacter(const QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return QChar(13);
    if (event->key() == Qt::Key_Backspace)
        return QChar(8);
    if (event->key() == Qt::Key_Delete)
        return QChar();
    // Control characters (Ctrl+A, Ctrl+C, …) are editing commands, not text.
    if (event->text().isEmpty() || event->text().at(0).category() == QChar::Other_Control)
        return QChar();
    return event->text().at(0);
}

bool HasBoldStyle(const QString& family) {
    const QStringList styles = QFontDatabase::styles(family);
    return std::any_of(styles.cbegin(), styles.cend(), [&](const QString& style) {
        return QFontDatabase::weight(family, style) >= QFont::Bold;
    });
}

} // namespace

DayCountBox::DayCountBox(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(DayCount::MaxLength);
    // Typing is filtered key by key; this keeps pasted or dropped text to the same characters.
    setValidator(new TypableCharacters(this));
    setAcceptDrops(false);
    // Input-method text would bypass the key rules.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void DayCountBox::keyPressEvent(QKeyEvent* event) {
    DropMisplacedMinus();
    if (event->matches(QKeySequence::Paste)) {
        PasteTypable(QGuiApplication::clipboard()->text());
        event->accept();
        return;
    }

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
    // The box draws no caret; one that blinks unseen would still wake the idle program twice a
    // second. This box is the program's only text field, so the setting touches nothing else.
    QApplication::setCursorFlashTime(0);
    QLineEdit::focusInEvent(event);
}

void DayCountBox::mouseReleaseEvent(QMouseEvent* event) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() != Qt::MiddleButton || !clipboard->supportsSelection() || isReadOnly()) {
        QLineEdit::mouseReleaseEvent(event);
        return;
    }
    deselect();
    PasteTypable(clipboard->text(QClipboard::Selection));
    event->accept();
}

void DayCountBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The paste entry is the one that names the paste key.
    const QString pasteKey = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction* action : menu->actions()) {
        if (!action->text().endsWith(pasteKey))
            continue;
        disconnect(action, &QAction::triggered, nullptr, nullptr);
        connect(action, &QAction::triggered, this,
                [this] { PasteTypable(QGuiApplication::clipboard()->text()); });
    }
    menu->popup(event->globalPos());
    event->accept();
}

void DayCountBox::DropMisplacedMinus() {
    const QString stripped = DayCount::StripMisplacedMinus(text());
    if (stripped != text())
        setText(stripped);
}

void DayCountBox::PasteTypable(const QString& pasted) {
    QString typable;
    for (QChar c : pasted)
        if (IsTypable(c))
            typable += c;
    // Inserting keeps to the length limit as typing does; the minus rule then applies to the whole.
    insert(typable);
    DropMisplacedMinus();
}

// The box paints itself: its text centred, the selection, and never a caret. A face without a bold
// style of its own is emboldened by the font engine by a fraction of a pixel only, which leaves thin
// faces looking regular; such text is drawn twice, a pixel apart, as Windows emboldens such faces.
void DayCountBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& colours = palette();
    painter.fillRect(rect(), colours.color(QPalette::Base));
    const QFontMetrics metrics = fontMetrics();
    const QString shown = text();
    const int overstrike = font().bold() && !HasBoldStyle(QFontInfo(font()).family()) ? 1 : 0;
    const int left = (width() - metrics.horizontalAdvance(shown) - overstrike) / 2;
    const int baseline = (height() - metrics.height()) / 2 + metrics.ascent();
    const auto drawText = [&](const QColor& colour) {
        painter.setPen(colour);
        for (int offset = 0; offset <= overstrike; ++offset)
            painter.drawText(left + offset, baseline, shown);
    };
    drawText(colours.color(QPalette::Text));
    if (hasSelectedText()) {
        const int from = left + metrics.horizontalAdvance(shown.left(selectionStart()));
        const int to = left + metrics.horizontalAdvance(shown.left(selectionEnd())) + overstrike;
        painter.setClipRect(from, 0, to - from, height());
        painter.fillRect(rect(), colours.color(QPalette::Highlight));
        drawText(colours.color(QPalette::HighlightedText));
        painter.setClipping(false);
    }
    painter.end();
    PaintFocusFrame(this, colours.color(QPalette::Text));
}
