#include "PickerPanel.h"

#include "ChineseFonts.h"
#include "ControlFactory.h"
#include "Decoration.h"
#include "DesignColours.h"
#include "FlatList.h"
#include "Label.h"
#include "Twips.h"

#include "core/DateText.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QSignalBlocker>

using namespace ControlFactory;

PickerPanel::PickerPanel(MonthGrid& grid, QWidget* window) : QWidget(window), m_grid(grid) {
    setObjectName(QStringLiteral("FrCalendar"));
    setAccessibleName(DateText::NoDateText);
    // Laid out beside the visible part of the window; every opening moves it in.
    setGeometry(Twips::Rect(6000, 0, WidthTwips, HeightTwips));
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setAutoFillBackground(true);
    setAttribute(Qt::WA_NoMousePropagation);
    hide();

    auto* outline = new Decoration(Decoration::Kind::Outline, DesignColours::Blue, 5, this);
    outline->setObjectName(QStringLiteral("ShCalendar"));
    outline->setGeometry(Twips::Rect(0, 0, WidthTwips, HeightTwips));
    BuildTitleBar();
    BuildLists();
    BuildDays();
    const QFont buttonFont = ChineseFonts::Song(9, true);
    m_ok = MakeButton(this, QStringLiteral("cmdok"), Twips::Rect(280, 3000, 1215, 345),
                      QStringLiteral("确  认"), buttonFont);
    m_cancel = MakeButton(this, QStringLiteral("cmdcancel"), Twips::Rect(1700, 3000, 1215, 345),
                          QStringLiteral("取  消"), buttonFont);
    connect(m_ok, &QPushButton::clicked, this, &PickerPanel::ConfirmPicker);
    connect(m_cancel, &QPushButton::clicked, this, &PickerPanel::ClosePicker);
    setTabOrder(m_ok, m_cancel);
    setTabOrder(m_cancel, m_months);
    setTabOrder(m_months, m_years);
    MirrorGrid();
}

PickerPanel::~PickerPanel() = default;

void PickerPanel::BuildTitleBar() {
    m_titleBar[0] = MakeLabel(
        this, IndexedName("LblTitle", 0), Twips::Rect(60, 75, 2760, 255), DateText::NoDateText,
        {FromBgr(0x00C0FFFF), Qt::AlignLeft, false, DesignColours::Blue}, ChineseFonts::Song(9.75, true));
    m_titleBar[1] = MakeLabel(this, IndexedName("LblTitle", 1), Twips::Rect(2800, 75, 380, 255),
                              QStringLiteral("×"), {Qt::white, Qt::AlignHCenter, false, DesignColours::Blue},
                              ChineseFonts::Song(12, true), QStringLiteral("关闭"));
    m_titleBar[1]->setAccessibleName(m_titleBar[1]->toolTip()); // what a screen reader calls the glyph
    m_drag = std::make_unique<TitleBarDrag>(this, m_titleBar[0], m_titleBar[1]);
    for (int index = 0; index < 2; ++index) {
        Label* label = m_titleBar[index];
        label->setAlignment(label->alignment() | Qt::AlignVCenter);
        connect(label, &Label::pressed, this,
                [this, index](Qt::MouseButton, Qt::MouseButtons, QPoint position) {
                    m_drag->OnPressed(index, position);
                });
        connect(label, &Label::moved, this,
                [this](Qt::MouseButtons buttons, QPoint position) { m_drag->OnMoved(buttons, position); });
        connect(label, &Label::released, this, [this, index] { m_drag->OnReleased(index); });
    }
    connect(m_titleBar[1], &Label::clicked, this, &PickerPanel::ClosePicker);
}

void PickerPanel::BuildLists() {
    m_years = new FlatList(DesignColours::ListBlue, this);
    m_years->setObjectName(QStringLiteral("cboyear"));
    m_years->setGeometry(Twips::Rect(240, 480, 915, 300));
    m_years->setFont(DefaultFont());
    m_years->setAccessibleName(QStringLiteral("年份"));
    m_months = new FlatList(DesignColours::ListBlue, this);
    m_months->setObjectName(QStringLiteral("cbomonth"));
    m_months->setGeometry(Twips::Rect(1440, 480, 570, 300));
    m_months->setFont(DefaultFont());
    m_months->setAccessibleName(QStringLiteral("月份"));
    {
        // Filling a list selects its first entry; that is not a choice, so its handling must not run.
        const QSignalBlocker blockYears(m_years);
        const QSignalBlocker blockMonths(m_months);
        m_years->addItems(MonthGrid::YearEntries());
        m_months->addItems(MonthGrid::MonthEntries());
    }
    connect(m_years, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_grid.SelectYearIndex(index);
        MirrorGrid(m_years->ChangingByKey());
    });
    connect(m_months, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_grid.SelectMonthIndex(index);
        MirrorGrid(m_months->ChangingByKey());
    });

    const QFont captionFont = ChineseFonts::Song(9, true);
    const LabelLook captionLook = {palette().color(QPalette::WindowText), Qt::AlignLeft, true};
    MakeLabel(this, IndexedName("LblNianyue", 1), Twips::Rect(1185, 555, 195, 180), QStringLiteral("年"),
              captionLook, captionFont);
    MakeLabel(this, IndexedName("LblNianyue", 0), Twips::Rect(2040, 555, 195, 180), QStringLiteral("月"),
              captionLook, captionFont);
    m_weekday = MakeLabel(this, QStringLiteral("lblday"), Twips::Rect(2325, 555, 615, 180),
                          m_grid.WeekdayWord(), {FromBgr(0x00000080), Qt::AlignHCenter, true}, captionFont);
}

void PickerPanel::BuildDays() {
    auto* days = new QWidget(this);
    days->setObjectName(QStringLiteral("Frdays"));
    days->setGeometry(Twips::Rect(240, 900, 2700, 1935));
    QPalette p = days->palette();
    p.setColor(QPalette::Window, DesignColours::Paper);
    days->setPalette(p);
    days->setAutoFillBackground(true);
    const QColor text = palette().color(QPalette::WindowText);
    for (int i = 0; i < MonthGrid::CellCount; ++i) {
        Label* cell = m_days[i] =
            MakeLabel(days, IndexedName("lblnumber", i),
                      Twips::Rect(120 + 360 * (i % 7), 120 + 360 * (i / 7), 300, 285), QString::number(i + 1),
                      {text, Qt::AlignCenter, false, Qt::white}, DefaultFont());
        cell->setAlignment(Qt::AlignCenter);
        cell->setCursor(Qt::PointingHandCursor);
        connect(cell, &Label::clicked, this, [this, i] {
            m_grid.SelectDayCell(i);
            MirrorGrid();
        });
    }
}

void PickerPanel::MirrorGrid(bool keepFocus) {
    {
        const QSignalBlocker blockYears(m_years);
        const QSignalBlocker blockMonths(m_months);
        m_years->setCurrentIndex(m_grid.YearIndex());
        m_months->setCurrentIndex(m_grid.MonthIndex());
    }
    for (int i = 0; i < MonthGrid::CellCount; ++i) {
        Label* cell = m_days[i];
        cell->setVisible(m_grid.CellVisible(i));
        const bool marked = m_grid.MarkedCell() == i;
        if ((cell->frameShape() == QFrame::Box) != marked) {
            cell->setFrameShape(marked ? QFrame::Box : QFrame::NoFrame);
            cell->SetBackColour(marked ? DesignColours::ListBlue : QColor(Qt::white));
        }
    }
    if (m_weekday->text() != m_grid.WeekdayWord())
        m_weekday->SetCaption(m_grid.WeekdayWord());

    // A focus move while the panel is hidden has nowhere to go and is dropped.
    const MonthGrid::Focus request = m_grid.TakeFocusRequest();
    switch (keepFocus ? MonthGrid::Focus::None : request) {
    case MonthGrid::Focus::ConfirmButton:
        if (IsOpen())
            m_ok->setFocus();
        break;
    case MonthGrid::Focus::MonthList:
        if (IsOpen())
            m_months->setFocus();
        break;
    case MonthGrid::Focus::None:
        break;
    }
}

void PickerPanel::OpenPicker(int field, bool byKeyboard) {
    TargetField = static_cast<std::uint8_t>(field);
    m_openedByKeyboard = byKeyboard;
    show();
    // Every opening places the panel anew, wherever it was dragged last time.
    move(Twips::Point(705, 1140));
    raise();
    if (byKeyboard)
        m_ok->setFocus(Qt::TabFocusReason);
    qApp->installEventFilter(this);
}

void PickerPanel::ConfirmPicker() {
    if (const auto picked = m_grid.PickedDate())
        emit confirmed(TargetField, DateText::Format(*picked), m_weekday->text());
    ClosePicker();
}

void PickerPanel::ClosePicker() {
    qApp->removeEventFilter(this);
    hide();
    // A drag cannot outlive the panel: closed by a key while a button was held on the title bar, its
    // release may never reach the title, and a later press on the glyph must not find a drag armed.
    m_drag->Cancel();
    // A control of the hidden panel must not go on taking keys (an arrow would change the month).
    if (QWidget* focus = focusWidget(); focus && isAncestorOf(focus))
        focus->clearFocus();
    emit closed(TargetField, m_openedByKeyboard);
}

bool PickerPanel::eventFilter(QObject* watched, QEvent* event) {
    // An opened list takes its own keys.
    if (event->type() != QEvent::KeyPress || !IsOpen() || !window()->isActiveWindow() ||
        QApplication::activePopupWidget())
        return false;
    // A key goes first to the focus, or to the window when nothing has it; it is taken there, not
    // again on its way up. Inside the panel its controls answer for themselves. Outside, the focus
    // stays where the user left it.
    QWidget* focus = QApplication::focusWidget();
    if (watched != (focus ? focus : window()) || (focus && isAncestorOf(focus)))
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape) {
        ClosePicker();
        return true;
    }
    return AnswerKey(key, true);
}

void PickerPanel::keyPressEvent(QKeyEvent* event) {
    if (AnswerKey(event->key(), false))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

bool PickerPanel::AnswerKey(int key, bool keepFocus) {
    // The arrows move the selected day within the shown month, as a click on its cell does.
    const auto MoveSelection = [this, keepFocus](int days) {
        m_grid.MoveSelection(days);
        MirrorGrid(keepFocus);
    };
    switch (key) {
    case Qt::Key_Left:
        MoveSelection(-1);
        return true;
    case Qt::Key_Right:
        MoveSelection(1);
        return true;
    case Qt::Key_Up:
        MoveSelection(-7);
        return true;
    case Qt::Key_Down:
        MoveSelection(7);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ConfirmPicker();
        return true;
    default:
        return false;
    }
}
