#pragma once

#include "Frame.h"

#include "core/History.h"
#include "core/HistoryPlaces.h"

#include <array>

class Label;
class Platform;
class QTimer;

// The white panel at the top: the today line's place, the eight history entries with their
// separators, the history file's load and save, copying an entry, and the blink of a new entry.
class HistoryPanel : public Frame {
    Q_OBJECT
public:
    HistoryPanel(Platform& platform, const HistoryPlaces& places, QWidget* parent);

    // The today line stands at the top of this panel; the info lines write and handle it.
    Label* TodayLine() const { return m_todayLine; }

    // Fills the entries from the history file; a file that cannot be read is reported.
    void LoadHistory();
    // Writes the eight entries to the history file; a failure is reported, the old file kept. A
    // file whose content the entries did not hold whole is first kept beside it, and that is told.
    void SaveHistory();
    // Writes what has not been written yet (a write that failed); nothing when all is written.
    void SavePending();
    // Stores a finished result's entry, starts its blink and writes the file.
    void AddHistory(const QString& entry);
    bool HasFirstEntry() const { return !m_history.Slot(0).isEmpty(); }

private:
    void ShowSlot(int index);
    void CopyEntry(int index);
    void OnEntryHover(int index);
    void ShanShuoTick(int timer);

    Platform& m_platform;
    HistoryPlaces m_places;
    History m_history;
    bool m_unsaved = false;     // the entries changed since the file was read or written
    bool m_keepOldFile = false; // the file holds more than the entries: keep it before replacing it
    QString m_toldFailure;      // a failure to write already reported, not repeated at each result
    Label* m_todayLine = nullptr;
    std::array<Label*, History::SlotCount> m_entries = {};
    std::array<QTimer*, 2> m_shanShuo = {};
};
