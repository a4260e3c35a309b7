#pragma once

#include "Platform.h"

#include "core/HistoryPlaces.h"
#include "core/MonthGrid.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class CalculationFrame;
class DayCountFrame;
class HistoryPanel;
class InfoLines;
class OffsetFrame;
class PickerPanel;

// The one main window. It composes the history panel, the two calculation frames, the bottom bar
// and the picker panel, runs the load and unload sequences and connects the parts.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // Builds the controls and runs the load sequence with the history read and written at `places`.
    MainWindow(Platform& platform, const HistoryPlaces& places, QWidget* parent = nullptr);
    // The history read from and written to one file.
    MainWindow(Platform& platform, const QString& historyPath, QWidget* parent = nullptr);
    ~MainWindow() override;

    void CentreOnScreen();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void LoadSequence();
    PickerPanel* Picker();
    void OpenPicker(int field, bool byKeyboard);
    void OnPickerConfirmed(int field, const QString& dateText, const QString& weekdayWord);
    void OnPickerClosed(int field, bool returnFocus);
    void SetCalculationFramesEnabled(bool enabled);
    // The frame that holds date field `field` (1 … 3).
    CalculationFrame* FrameOf(int field) const;

    Platform& m_platform;
    MonthGrid m_grid;
    HistoryPanel* m_history = nullptr;
    OffsetFrame* m_offset = nullptr;
    DayCountFrame* m_dayCount = nullptr;
    std::unique_ptr<InfoLines> m_info;
    PickerPanel* m_picker = nullptr;
    bool m_pickerQueued = false;
    QPointer<QWidget> m_focusBeforePicker;
};
