#pragma once

#include "ControlTree.h"
#include "Platform.h"

#include "core/History.h"
#include "core/HistoryPlaces.h"
#include "core/MonthGrid.h"

#include <QWidget>

#include <cstdint>

// The one main window: its control tree, the state the handlers share, and the handlers.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // Builds the controls and runs the load sequence with the history read and written at `places`.
    MainWindow(Platform& platform, const HistoryPlaces& places, QWidget* parent = nullptr);
    // The history read from and written to one file.
    MainWindow(Platform& platform, const QString& historyPath, QWidget* parent = nullptr);

    const ControlTree& Controls() const { return m_ui; }
    const History& HistoryList() const { return m_history; }
    const MonthGrid& Grid() const { return m_grid; }
    void CentreOnScreen();

    // Calculation frames.
    void Calculate(int kind);
    void ConfirmOffset();

    // Picker panel.
    void OpenPicker(int field);
    void ConfirmPicker();
    void ClosePicker();
    bool PickerOpen() const;

    // History panel.
    void AddHistory(int kind);
    void CopyHistoryEntry(int index);

    // Timers: the blink step (0) and stop (1), the clock line.
    void ShanShuoTick(int timer);
    void ClockTick();

    void OpenTimePage();
    void ShowAbout();

    static const QString Title;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void LoadSequence();
    void SaveHistoryFile();
    void ConnectCalculationFrames();
    void ConnectHistoryPanel();
    void ConnectPicker();
    void ConnectTitleBar();
    void ConnectInfoLines();
    void ShowSlot(int index);
    void MirrorGrid();
    void SetCalculationFramesEnabled(bool enabled);
    void OnTitlePressed(int index, Qt::MouseButton button, QPoint position);
    void OnTitleMoved(Qt::MouseButtons buttons, QPoint position);
    void OnTitleReleased(int index);
    void OnHistoryHover(int index);
    void Warn(const QString& text);

    Platform& m_platform;
    HistoryPlaces m_places;
    ControlTree m_ui;
    History m_history;
    MonthGrid m_grid;

    std::uint8_t TargetField = 1;
    bool TitleDragging = false;
    std::int16_t DragStartX = 0;
    std::int16_t DragStartY = 0;
};
