#pragma once

#include "CalculationFrame.h"

class Label;

// "计算天数": the number of days between two chosen dates.
class DayCountFrame : public CalculationFrame {
    Q_OBJECT
public:
    explicit DayCountFrame(QWidget* parent);

    // Reads both dates from the fields and writes their difference; without two dates it does nothing.
    void Calculate();

protected:
    void DateChanged() override { Calculate(); }

private:
    Label* m_result = nullptr;
};
