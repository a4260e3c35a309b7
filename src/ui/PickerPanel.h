#pragma once

#include "TitleBarDrag.h"

#include "core/MonthGrid.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

class FlatList;
class Label;
class QPushButton;

// The pop-up month panel through which every date is chosen. It mirrors the month grid in its lists,
// day cells and weekday word, is dragged by its title bar, and reports the confirmed date for the
// field it was opened from, and its closing.
class PickerPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int WidthTwips = 3200;
    static constexpr int HeightTwips = 3600;

    PickerPanel(MonthGrid& grid, QWidget* window);
    ~PickerPanel() override;

    // Shows the panel at its opening place for date field `field` (1 … 3). When the field had the
    // keyboard focus, the focus moves into the panel; opened with the mouse, the panel answers Enter,
    // Esc and the arrows wherever the focus stays.
    void OpenPicker(int field, bool byKeyboard);
    // Reports the picked date for the field, then closes.
    void ConfirmPicker();
    // Hides the panel; nothing is written.
    void ClosePicker();
    bool IsOpen() const { return !isHidden(); }

signals:
    void confirmed(int field, const QString& dateText, const QString& weekdayWord);
    // `returnFocus`: the panel was opened from the keyboard, so the focus goes back to the field.
    void closed(int field, bool returnFocus);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildTitleBar();
    void BuildLists();
    void BuildDays();
    // `keepFocus`: the change comes from a key in a list, where the user goes on choosing, or from
    // a key answered while the focus is outside the panel.
    void MirrorGrid(bool keepFocus = false);
    // The arrows and Enter; false for other keys.
    bool AnswerKey(int key, bool keepFocus);

    MonthGrid& m_grid;
    std::array<Label*, 2> m_titleBar = {};
    FlatList* m_years = nullptr;
    FlatList* m_months = nullptr;
    Label* m_weekday = nullptr;
    std::array<Label*, MonthGrid::CellCount> m_days = {};
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    std::unique_ptr<TitleBarDrag> m_drag;
    std::uint8_t TargetField = 1;
    bool m_openedByKeyboard = false;
};
