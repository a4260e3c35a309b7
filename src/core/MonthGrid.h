#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The state of the picker's month grid: the year and month lists' selections, the selected day,
// which of the 31 fixed day cells are shown and which one is marked, and the weekday word.
// A view mirrors this state; the change handlers run synchronously like a list's own handling.
class MonthGrid {
public:
    static constexpr int FirstYear = 1960;
    static constexpr int LastYear = 2099;
    static constexpr int CellCount = 31;

    // Where a handler asks the keyboard focus to go; the window applies it when it can.
    enum class Focus { None, ConfirmButton, MonthList };

    // " 1960" … " 2099" and "1" … "12".
    static QStringList YearEntries();
    static QStringList MonthEntries();

    // The year list selection (entry i is the year 1960 + i, -1 = none) changed.
    void SelectYearIndex(int index);
    // The month list selection (entry i is month i + 1, -1 = none) changed.
    void SelectMonthIndex(int index);
    // A click on day cell 0 … 30.
    void SelectDayCell(int cell);
    // Arrow keys (±1, ±7): the selected day moved by `days` within the shown month, stopping at its
    // first and last day, then handled as a click on that day's cell.
    void MoveSelection(int days);
    // Shows the cells of the shown month: days 29 … 31 follow its length.
    void LayoutMonth(int year, int month);

    // Start-up: selected day, lists and mark set to today. A year outside the lists is clamped to
    // the nearest listed year so the grid still names a real date.
    void InitPicker(const QDate& today);

    int YearIndex() const { return m_yearIndex; }
    int MonthIndex() const { return m_monthIndex; }
    int SelectedDay() const { return m_selectedDay; }
    bool CellVisible(int cell) const;
    // -1 while no cell is marked.
    int MarkedCell() const { return m_markedCell; }
    // The weekday of the selected day, shown beside the grid ("星期日" at first).
    QString WeekdayWord() const { return m_weekdayWord; }

    // The date the lists and the selected day name; none while a list has no selection.
    std::optional<QDate> PickedDate() const;

    // The focus request of the last handler, cleared by reading it.
    Focus TakeFocusRequest();

private:
    int ShownYear() const;
    void OnMonthChanged();

    int m_yearIndex = -1;
    int m_monthIndex = -1;
    int m_selectedDay = 1;
    bool m_yearListArmed = false;
    std::array<bool, CellCount> m_cellVisible = {};
    int m_markedCell = -1;
    QString m_weekdayWord = QStringLiteral("星期日");
    Focus m_focusRequest = Focus::None;
};
