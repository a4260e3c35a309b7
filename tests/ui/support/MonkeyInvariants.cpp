#include "MonkeyInvariants.h"

#include "core/DateText.h"
#include "core/DayCount.h"
#include "ui/DayCountBox.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QPushButton>
#include <QRegularExpression>

#include <optional>

namespace MonkeyInvariants {

namespace {

const QString NoResultDate = QStringLiteral("\?\?\?\?/\?\?/\?\?");

QString Quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

bool NamesWeekday(const QString& weekday, const QDate& date) {
    return QLatin1Char('(') + weekday + QLatin1Char(')') == DateText::WeekdayText(date);
}

// Why an entry cannot have come from a completed calculation; empty when it can: its dates exist,
// its weekdays name them and its result follows from its inputs.
QString EntryFault(const QString& entry) {
    static const QRegularExpression offset(QStringLiteral(
        "^([0-9/]+)\\((星期.)\\)的([0-9.\\-]*)(天之后是：|天之前是：)([0-9/]+)\\((星期.)\\)$"));
    static const QRegularExpression dayCount(
        QStringLiteral("^([0-9/]+)\\((星期.)\\)与([0-9/]+)\\((星期.)\\)相差（(-?[0-9]+)）天$"));

    if (const auto match = offset.match(entry); match.hasMatch()) {
        const auto base = DateText::Parse(match.captured(1));
        const auto count = DayCount::Parse(match.captured(3));
        const auto result = DateText::Parse(match.captured(5));
        if (!base || !count || !result)
            return QStringLiteral("a date or the count is unreadable");
        if (!NamesWeekday(match.captured(2), *base) || !NamesWeekday(match.captured(6), *result))
            return QStringLiteral("a weekday does not name its date");
        const bool before = match.captured(4) == QStringLiteral("天之前是：");
        // "Before" shows the count's magnitude; "after" never follows a negative count.
        if (DayCount::IsBefore(*count))
            return QStringLiteral("the count keeps its minus sign");
        const qint64 days = DayCount::WholeDays(*count);
        if (DateText::OffsetDate(*base, before ? -days : days) != result)
            return QStringLiteral("the result date does not follow from the base date and the count");
        return {};
    }
    if (const auto match = dayCount.match(entry); match.hasMatch()) {
        const auto first = DateText::Parse(match.captured(1));
        const auto second = DateText::Parse(match.captured(3));
        if (!first || !second)
            return QStringLiteral("a date is unreadable");
        if (!NamesWeekday(match.captured(2), *first) || !NamesWeekday(match.captured(4), *second))
            return QStringLiteral("a weekday does not name its date");
        if (match.captured(5).toLongLong() != first->daysTo(*second))
            return QStringLiteral("the difference does not follow from the dates");
        return {};
    }
    return QStringLiteral("not the shape of either kind of entry");
}

void CheckVisibilityPairs(const ControlTree& ui, bool pickerOpen, QStringList& broken) {
    if (ui.Command1->isHidden() == ui.QianHou->isHidden())
        broken << QStringLiteral("Command1 and QianHou are both %1")
                      .arg(ui.Command1->isHidden() ? QStringLiteral("hidden") : QStringLiteral("visible"));
    for (int k : {1, 2})
        if (ui.Fr[k]->isEnabled() == pickerOpen)
            broken << QStringLiteral("the picker is %1 while Fr_%2 is %3")
                          .arg(pickerOpen ? QStringLiteral("open") : QStringLiteral("closed"))
                          .arg(k)
                          .arg(ui.Fr[k]->isEnabled() ? QStringLiteral("enabled")
                                                     : QStringLiteral("disabled"));
}

void CheckDateFields(const ControlTree& ui, QStringList& broken) {
    std::optional<QDate> dates[4];
    for (int k = 1; k <= 3; ++k) {
        const QString text = ui.ChooseDate[k]->text();
        const QString weekday = ui.ChooseWeek[k]->text();
        if (text == DateText::NoDateText) {
            if (weekday != DateText::UnknownWeekdayText)
                broken << QStringLiteral("ChooseWeek_%1 shows %2 under no date").arg(k).arg(Quoted(weekday));
            continue;
        }
        dates[k] = DateText::Parse(text);
        if (!dates[k])
            broken << QStringLiteral("ChooseDate_%1 holds %2, not a date text").arg(k).arg(Quoted(text));
        else if (weekday != DateText::WeekdayText(*dates[k]))
            broken << QStringLiteral("ChooseWeek_%1 shows %2 under %3")
                          .arg(k)
                          .arg(Quoted(weekday), Quoted(text));
    }
    // Once both dates are chosen, every change of either recalculates the difference.
    if (dates[2] && dates[3]) {
        const QString expected = DateText::DayDifferenceText(DateText::DayDifference(*dates[2], *dates[3]));
        if (ui.CResult[2]->text() != expected)
            broken << QStringLiteral("CResult_2 shows %1 for the dates shown, not %2")
                          .arg(Quoted(ui.CResult[2]->text()), Quoted(expected));
    }
    const QString result = ui.CResult[1]->text();
    const QString resultWeekday = ui.ChooseWeek[0]->text();
    if (result == NoResultDate) {
        if (resultWeekday != DateText::UnknownWeekdayText)
            broken << QStringLiteral("ChooseWeek_0 shows %1 under no result").arg(Quoted(resultWeekday));
    } else if (const auto date = DateText::Parse(result); !date) {
        broken << QStringLiteral("CResult_1 holds %1, not a date text").arg(Quoted(result));
    } else if (resultWeekday != DateText::WeekdayText(*date)) {
        broken << QStringLiteral("ChooseWeek_0 shows %1 under %2").arg(Quoted(resultWeekday), Quoted(result));
    }
    if (ui.HowmuchDays->text().size() > DayCount::MaxLength)
        broken << QStringLiteral("HowmuchDays holds %1, more than five characters")
                      .arg(Quoted(ui.HowmuchDays->text()));
}

void CheckHistory(const MainWindow& window, QStringList& broken) {
    const ControlTree& ui = window.Controls();
    bool freeSeen = false;
    for (int k = 0; k < History::SlotCount; ++k) {
        const QString slot = window.HistoryList().Slot(k);
        if (ui.History[k]->text() != slot)
            broken << QStringLiteral("History_%1 shows %2 but slot %1 holds %3")
                          .arg(k)
                          .arg(Quoted(ui.History[k]->text()), Quoted(slot));
        if (slot.isEmpty()) {
            freeSeen = true;
            continue;
        }
        if (freeSeen)
            broken << QStringLiteral("slot %1 is used after a free slot").arg(k);
        if (const QString fault = EntryFault(slot); !fault.isEmpty())
            broken << QStringLiteral("slot %1 holds %2: %3").arg(k).arg(Quoted(slot), fault);
    }
}

// Keys go to the focus widget whether it shows or not: a hidden button would still be pressed.
void CheckFocus(const MainWindow& window, QStringList& broken) {
    const QWidget* focus = QApplication::focusWidget();
    if (!focus || focus->window() != &window)
        return;
    if (!focus->isVisible() || !focus->isEnabled())
        broken << QStringLiteral("the keyboard focus is on %1, which is %2")
                      .arg(focus->objectName(),
                           focus->isVisible() ? QStringLiteral("disabled") : QStringLiteral("hidden"));
}

} // namespace

QStringList Broken(const MainWindow& window) {
    QStringList broken;
    const ControlTree& ui = window.Controls();
    const bool pickerOpen = !ui.FrCalendar->isHidden();
    if (window.PickerOpen() != pickerOpen)
        broken << QStringLiteral("PickerOpen() disagrees with FrCalendar's visibility");
    CheckVisibilityPairs(ui, pickerOpen, broken);
    CheckDateFields(ui, broken);
    CheckHistory(window, broken);
    CheckFocus(window, broken);
    return broken;
}

} // namespace MonkeyInvariants
