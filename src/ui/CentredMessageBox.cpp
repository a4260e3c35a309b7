#include "CentredMessageBox.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QScreen>

namespace {

// What a title bar holds beside the title: the icon and the buttons, with room to spare for a window
// manager whose title font is larger than the system's.
constexpr int TitleBarExtras = 150;
constexpr qreal TitleFontAllowance = 1.3;

int TitleBarWidth(const QString& title) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    return qRound(QFontMetrics(font).horizontalAdvance(title) * TitleFontAllowance) + TitleBarExtras;
}

} // namespace

CentredMessageBox::CentredMessageBox(Icon icon, const QString& title, const QString& text, QWidget* parent)
    : QMessageBox(icon, title, text, QMessageBox::Ok, parent) {
    setTextFormat(Qt::PlainText);
    // The box sizes itself to its layout's minimum each time it is shown; a spacer across the whole
    // layout sets that minimum.
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addItem(new QSpacerItem(TitleBarWidth(title), 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

void CentredMessageBox::showEvent(QShowEvent* event) {
    QMessageBox::showEvent(event);
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    QRect area;
    if (owner && owner->isVisible()) {
        area = owner->frameGeometry();
    } else {
        const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
        area = screen ? screen->availableGeometry() : QRect();
    }
    if (area.isValid())
        move(area.center() - rect().center());
}
