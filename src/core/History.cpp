#include "History.h"

#include <algorithm>

int History::Add(const QString& entry) {
    const auto freeSlot =
        std::find_if(m_slots.begin(), m_slots.end(), [](const QString& text) { return text.isEmpty(); });
    int index = SlotCount - 1;
    if (freeSlot != m_slots.end()) {
        index = static_cast<int>(freeSlot - m_slots.begin());
        *freeSlot = entry;
    } else {
        // Full: the oldest text leaves slot 0 and the newest goes to the bottom.
        std::shift_left(m_slots.begin(), m_slots.end(), 1);
        m_slots.back() = entry;
    }
    m_shanShuoIndex = static_cast<std::uint8_t>(index);
    return index;
}

namespace HistoryEntry {

QString Offset(const QString& baseDate, const QString& baseWeekday, const QString& dayCount,
               const QString& wording, const QString& resultDate, const QString& resultWeekday) {
    return baseDate + baseWeekday + QStringLiteral("的") + dayCount + wording + resultDate + resultWeekday;
}

QString DayCount(const QString& firstDate, const QString& firstWeekday, const QString& secondDate,
                 const QString& secondWeekday, const QString& difference) {
    return firstDate + firstWeekday + QStringLiteral("与") + secondDate + secondWeekday + difference;
}

} // namespace HistoryEntry
