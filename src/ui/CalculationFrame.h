#pragma once

#include "Frame.h"

#include <array>

class Label;

// What the two calculation frames share: date fields that open the picker and turn bold under the
// pointer, the weekday labels below them, and taking a date the picker confirmed.
class CalculationFrame : public Frame {
    Q_OBJECT
public:
    // Writes a confirmed date into field `field` with its weekday ("星期四") and recalculates; a date
    // the field already shows changes nothing.
    void ConfirmDate(int field, const QString& dateText, const QString& weekdayWord);
    Label* DateField(int field) const { return m_dateFields.at(field); }

    // The caption "(星期？)" a weekday label shows before its date is known.
    static const QString UnknownWeekday;

signals:
    // By the mouse, or by Enter or Space while the field has the focus.
    void dateFieldClicked(int field, bool byKeyboard);
    // A finished result, as its history entry.
    void resultReady(const QString& entry);

protected:
    CalculationFrame(int index, int top, const QString& title, QWidget* parent);
    Label* AddDateField(int field, int left);
    Label* AddWeekday(int index, int left, unsigned int colour);
    Label* Weekday(int index) const { return m_weekdays.at(index); }
    // Runs this frame's calculation for a newly confirmed date.
    virtual void DateChanged() = 0;

private:
    // Date fields 1 … 3 and weekday labels 0 … 3, as numbered in the window; a frame fills its own.
    std::array<Label*, 4> m_dateFields = {};
    std::array<Label*, 4> m_weekdays = {};
};
