#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The eight most recent results. A slot is free only when its text is exactly empty.
class History {
public:
    static constexpr int SlotCount = 8;
    using Slots = std::array<QString, SlotCount>;

    // Stores the entry in the first free slot, or shifts every text up one slot (dropping slot 0)
    // and stores it in slot 7. No duplicate check. Returns the slot used, also kept as ShanShuoIndex.
    int Add(const QString& entry);

    const QString& Slot(int index) const { return m_slots.at(index); }
    const Slots& AllSlots() const { return m_slots; }
    // Sets the text of one slot; loading puts each line read from the file into its slot.
    void SetSlot(int index, const QString& text) { m_slots.at(index) = text; }
    std::uint8_t ShanShuoIndex() const { return m_shanShuoIndex; }

private:
    Slots m_slots;
    std::uint8_t m_shanShuoIndex = 0;
};

// Entry texts, concatenated from the texts the window shows when a calculation has finished.
namespace HistoryEntry {

// kind 1: "2013/1/23(星期三)的100天之后是：2013/5/3(星期五)"
QString Offset(const QString& baseDate, const QString& baseWeekday, const QString& dayCount,
               const QString& wording, const QString& resultDate, const QString& resultWeekday);

// kind 2: "2013/1/23(星期三)与2013/5/3(星期五)相差（100）天"
QString DayCount(const QString& firstDate, const QString& firstWeekday, const QString& secondDate,
                 const QString& secondWeekday, const QString& difference);

} // namespace HistoryEntry
