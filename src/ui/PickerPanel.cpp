// The pop-up month panel: mirroring the grid, opening, confirming and closing.
#include "MainWindow.h"

#include "Frame.h"
#include "Label.h"
#include "Twips.h"

#include "core/DateText.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QSignalBlocker>

void MainWindow::ConnectPicker() {
    connect(m_ui.cboyear, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_grid.SelectYearIndex(index);
        MirrorGrid();
    });
    connect(m_ui.cbomonth, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_grid.SelectMonthIndex(index);
        MirrorGrid();
    });
    for (int i = 0; i < MonthGrid::CellCount; ++i)
        connect(m_ui.lblnumber[i], &Label::clicked, this, [this, i] {
            m_grid.SelectDayCell(i);
            MirrorGrid();
        });
    connect(m_ui.cmdok, &QPushButton::clicked, this, &MainWindow::ConfirmPicker);
    connect(m_ui.cmdcancel, &QPushButton::clicked, this, &MainWindow::ClosePicker);
}

void MainWindow::MirrorGrid() {
    {
        const QSignalBlocker blockYears(m_ui.cboyear);
        const QSignalBlocker blockMonths(m_ui.cbomonth);
        m_ui.cboyear->setCurrentIndex(m_grid.YearIndex());
        m_ui.cbomonth->setCurrentIndex(m_grid.MonthIndex());
    }
    for (int i = 0; i < MonthGrid::CellCount; ++i) {
        Label* cell = m_ui.lblnumber[i];
        cell->setVisible(m_grid.CellVisible(i));
        const bool marked = m_grid.MarkedCell() == i;
        if ((cell->frameShape() == QFrame::Box) != marked)
            SetDayCellMarked(cell, marked);
    }
    if (m_ui.lblday->text() != m_grid.WeekdayWord())
        m_ui.lblday->SetCaption(m_grid.WeekdayWord());

    // A focus move while the panel is hidden has nowhere to go and is dropped.
    switch (m_grid.TakeFocusRequest()) {
    case MonthGrid::Focus::ConfirmButton:
        if (PickerOpen())
            m_ui.cmdok->setFocus();
        break;
    case MonthGrid::Focus::MonthList:
        if (PickerOpen())
            m_ui.cbomonth->setFocus();
        break;
    case MonthGrid::Focus::None:
        break;
    }
}

bool MainWindow::PickerOpen() const {
    return !m_ui.FrCalendar->isHidden();
}

void MainWindow::SetCalculationFramesEnabled(bool enabled) {
    m_ui.Fr[1]->setEnabled(enabled);
    m_ui.Fr[2]->setEnabled(enabled);
}

void MainWindow::OpenPicker(int field) {
    TargetField = static_cast<std::uint8_t>(field);
    m_ui.FrCalendar->show();
    // Every opening places the panel anew, wherever it was dragged last time.
    m_ui.FrCalendar->move(Twips::Point(705, 1140));
    m_ui.FrCalendar->raise();
    SetCalculationFramesEnabled(false);
}

void MainWindow::ConfirmPicker() {
    if (const auto picked = m_grid.PickedDate()) {
        const QString text = DateText::Format(*picked);
        Label* field = m_ui.ChooseDate[TargetField];
        if (text != field->text()) {
            field->SetCaption(text);
            m_ui.ChooseWeek[TargetField]->SetCaption(QStringLiteral("(%1)").arg(m_ui.lblday->text()));
            if (TargetField == 1)
                ConfirmOffset();
            else
                Calculate(2);
        }
    }
    ClosePicker();
}

void MainWindow::ClosePicker() {
    m_ui.FrCalendar->hide();
    SetCalculationFramesEnabled(true);
    // A drag cannot outlive the panel: closed by a key while a button was held on the title bar, its
    // release may never reach the title, and a later press on the glyph must not find a drag armed.
    TitleDragging = false;
    // With the frames still disabled, hiding could not pass the focus on; a control of the hidden
    // panel must not go on taking keys (an arrow key would change the hidden month list).
    if (QWidget* focus = focusWidget(); focus && m_ui.FrCalendar->isAncestorOf(focus))
        focus->clearFocus();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Esc presses the picker's cancel button while the panel shows.
    if (event->key() == Qt::Key_Escape && PickerOpen()) {
        m_ui.cmdcancel->click();
        return;
    }
    QWidget::keyPressEvent(event);
}
