#include "MonthGrid.h"

#include "DateText.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int AlwaysShownCells = 28;
constexpr int MonthCount = 12;

// Without a year or month there is no month length; all cells stay usable then.
int ShownMonthLength(int year, int month) {
    if (year == 0 || month < 1 || month > MonthCount)
        return MonthGrid::CellCount;
    return DateText::DaysInMonth(year, month);
}

} // namespace

QStringList MonthGrid::YearEntries() {
    QStringList entries;
    for (int year = FirstYear; year <= LastYear; ++year)
        entries << QLatin1Char(' ') + QString::number(year);
    return entries;
}

QStringList MonthGrid::MonthEntries() {
    QStringList entries;
    for (int month = 1; month <= MonthCount; ++month)
        entries << QString::number(month);
    return entries;
}

void MonthGrid::SelectYearIndex(int index) {
    // Like a list given an index it does not have: nothing stays selected.
    m_yearIndex = (index >= 0 && index <= LastYear - FirstYear) ? index : -1;
    // The first change is the start-up selection, made before the month list has one.
    if (!m_yearListArmed) {
        m_yearListArmed = true;
        return;
    }
    OnMonthChanged();
    m_focusRequest = Focus::MonthList;
}

void MonthGrid::SelectMonthIndex(int index) {
    m_monthIndex = (index >= 0 && index < MonthCount) ? index : -1;
    OnMonthChanged();
}

void MonthGrid::SelectDayCell(int cell) {
    // Hidden cells cannot be clicked.
    if (!CellVisible(cell))
        return;
    m_markedCell = cell;
    m_selectedDay = cell + 1;
    if (const auto date = PickedDate())
        m_weekdayWord = DateText::WeekdayName(DateText::WeekdayNumber(*date));
    m_focusRequest = Focus::ConfirmButton;
}

void MonthGrid::MoveSelection(int days) {
    const int lastDay = ShownMonthLength(ShownYear(), m_monthIndex + 1);
    SelectDayCell(std::clamp(m_selectedDay + days, 1, lastDay) - 1);
}

void MonthGrid::LayoutMonth(int year, int month) {
    const int length = ShownMonthLength(year, month);
    for (int cell = 0; cell < CellCount; ++cell)
        m_cellVisible[cell] = cell < length;
}

void MonthGrid::InitPicker(const QDate& today) {
    const int year = std::clamp(today.year(), FirstYear, LastYear);
    const int month = std::clamp(today.month(), 1, MonthCount);
    m_selectedDay = std::clamp(today.day(), 1, DateText::DaysInMonth(year, month));
    SelectYearIndex(year - FirstYear);
    SelectMonthIndex(month - 1);
}

bool MonthGrid::CellVisible(int cell) const {
    if (cell < 0 || cell >= CellCount)
        return false;
    return cell < AlwaysShownCells || m_cellVisible[cell];
}

std::optional<QDate> MonthGrid::PickedDate() const {
    if (m_yearIndex < 0 || m_monthIndex < 0)
        return std::nullopt;
    const QDate date(ShownYear(), m_monthIndex + 1, m_selectedDay);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

MonthGrid::Focus MonthGrid::TakeFocusRequest() {
    return std::exchange(m_focusRequest, Focus::None);
}

int MonthGrid::ShownYear() const {
    return m_yearIndex < 0 ? 0 : FirstYear + m_yearIndex;
}

void MonthGrid::OnMonthChanged() {
    const int year = ShownYear();
    const int month = m_monthIndex + 1;
    LayoutMonth(year, month);
    // A day the new month lacks moves to its last day, so the mark stays on a shown cell and the
    // grid never names a date that does not exist.
    const int lastDay = ShownMonthLength(year, month);
    SelectDayCell(std::min(m_selectedDay, lastDay) - 1);
}
