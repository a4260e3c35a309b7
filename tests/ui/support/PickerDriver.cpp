#include "PickerDriver.h"

#include "core/HistoryFile.h"
#include "ui/Label.h"

#include <QComboBox>
#include <QPushButton>

namespace PickerDriver {

MainWindow& StartActive(WindowFixture& fixture, const QStringList& historyLines) {
    if (!historyLines.isEmpty()) {
        History::Slots texts;
        for (int k = 0; k < historyLines.size() && k < History::SlotCount; ++k)
            texts.at(k) = historyLines.at(k);
        HistoryFile::Save(fixture.HistoryPath(), texts);
    }
    MainWindow& window = fixture.Start();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        qWarning("the main window did not become active");
    return window;
}

void Click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton);
}

void Browse(const ControlTree& ui, int year, int month) {
    ui.cboyear->setCurrentIndex(year - MonthGrid::FirstYear);
    ui.cbomonth->setCurrentIndex(month - 1);
}

void ClickDay(const ControlTree& ui, int day) {
    Click(ui.lblnumber.at(day - 1));
}

void ChooseDate(const ControlTree& ui, int field, QDate date) {
    Click(ui.ChooseDate.at(field));
    Browse(ui, date.year(), date.month());
    ClickDay(ui, date.day());
    Click(ui.cmdok);
}

} // namespace PickerDriver
