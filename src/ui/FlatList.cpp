#include "FlatList.h"

#include "FocusFrame.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QScopedValueRollback>

namespace {

// Styles that open the list like a menu show every entry at once (140 years); this one keeps the
// scrolling list with its bounded number of rows.
class ScrollingPopupStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

constexpr int VisibleRows = 10;
constexpr int ArrowWidth = 9;

} // namespace

FlatList::FlatList(const QColor& background, QWidget* parent) : QComboBox(parent), m_background(background) {
    auto* style = new ScrollingPopupStyle;
    style->setParent(this);
    setStyle(style);
    setMaxVisibleItems(VisibleRows);
    QPalette p = palette();
    p.setColor(QPalette::Button, background);
    p.setColor(QPalette::Base, background);
    setPalette(p);
}

void FlatList::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(rect(), m_background);
    painter.setPen(m_background.darker(130));
    painter.drawRect(area);

    // A small solid arrow at the right; the rest of the width is the entry's.
    const int arrowLeft = width() - ArrowWidth - 3;
    const int middle = height() / 2;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawPolygon(
        QPolygonF({QPointF(arrowLeft, middle - 2), QPointF(arrowLeft + ArrowWidth, middle - 2),
                   QPointF(arrowLeft + ArrowWidth / 2.0, middle + 3)}));
    painter.setRenderHint(QPainter::Antialiasing, false);

    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(QRect(3, 0, arrowLeft - 4, height()), Qt::AlignLeft | Qt::AlignVCenter, currentText());
    painter.end();
    PaintFocusFrame(this, Qt::black, 2);
}

void FlatList::keyPressEvent(QKeyEvent* event) {
    const QScopedValueRollback byKey(m_changingByKey, true);
    const QString text = event->text();
    if (text.isEmpty() || !text.at(0).isLetterOrNumber()) {
        QComboBox::keyPressEvent(event);
        return;
    }
    if (!m_sinceTyped.isValid() || m_sinceTyped.elapsed() > QApplication::keyboardInputInterval())
        m_typed.clear();
    m_sinceTyped.start();
    m_typed += text;
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).trimmed().startsWith(m_typed)) {
            setCurrentIndex(i);
            break;
        }
    }
    event->accept();
}
