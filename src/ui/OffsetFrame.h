#pragma once

#include "CalculationFrame.h"

class DayCountBox;
class Label;
class Platform;
class QPushButton;

// "计算日期": the date that lies a typed number of days after or before the chosen date.
class OffsetFrame : public CalculationFrame {
    Q_OBJECT
public:
    OffsetFrame(Platform& platform, QWidget* parent);

    // The confirm operation (Enter or "OK！"): warns about an empty count, else calculates; then the
    // wording shows again in place of the button.
    void ConfirmOffset();
    // Reads the base date and the count from the controls and writes the result; a step that fails
    // ends it silently.
    void Calculate();

protected:
    void DateChanged() override { ConfirmOffset(); }

private:
    Platform& m_platform;
    DayCountBox* m_count = nullptr;
    QPushButton* m_confirm = nullptr;
    Label* m_wording = nullptr;
    Label* m_result = nullptr;
};
