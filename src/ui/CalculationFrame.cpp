#include "CalculationFrame.h"

#include "ChineseFonts.h"
#include "ControlFactory.h"
#include "DesignColours.h"
#include "Label.h"
#include "Twips.h"

#include "core/DateText.h"

using namespace ControlFactory;

const QString CalculationFrame::UnknownWeekday = QStringLiteral("(星期？)");

CalculationFrame::CalculationFrame(int index, int top, const QString& title, QWidget* parent)
    : Frame(parent) {
    setObjectName(IndexedName("Fr", index));
    setGeometry(Twips::Rect(120, top, 4550, 1000));
    SetBackground(DesignColours::Paper);
    setFont(ChineseFonts::Hei(10.5, true, true));
    SetTitleColour(FromBgr(0x00808080));
    setTitle(title);
    connect(this, &Frame::surfaceMoved, this, [this] {
        for (Label* field : m_dateFields)
            if (field && field->IsBold())
                field->SetBold(false);
    });
}

Label* CalculationFrame::AddDateField(int field, int left) {
    Label* label = m_dateFields.at(field) = MakeLabel(
        this, IndexedName("ChooseDate", field), Twips::Rect(left, 400, 780, 195), DateText::NoDateText,
        {FromBgr(0x00FF0000), Qt::AlignHCenter, true}, ChineseFonts::Hei(9.75), QStringLiteral("选择日期"));
    label->setMouseTracking(true);
    label->setCursor(Qt::PointingHandCursor);
    // Reached by Tab after the other controls; Enter or Space opens the picker like a click.
    label->setFocusPolicy(Qt::TabFocus);
    label->setAccessibleDescription(QStringLiteral("日期，按回车键选择"));
    connect(label, &Label::clicked, this, [this, field] { emit dateFieldClicked(field, false); });
    connect(label, &Label::keyClicked, this, [this, field] { emit dateFieldClicked(field, true); });
    connect(label, &Label::moved, label, [label] { label->SetBold(true); });
    return label;
}

Label* CalculationFrame::AddWeekday(int index, int left, unsigned int colour) {
    return m_weekdays.at(index) =
               MakeLabel(this, IndexedName("ChooseWeek", index), Twips::Rect(left, 680, 1050, 180),
                         UnknownWeekday, {FromBgr(colour), Qt::AlignHCenter}, DefaultFont());
}

void CalculationFrame::ConfirmDate(int field, const QString& dateText, const QString& weekdayWord) {
    Label* label = m_dateFields.at(field);
    if (!label || label->text() == dateText)
        return;
    label->SetCaption(dateText);
    m_weekdays.at(field)->SetCaption(QStringLiteral("(%1)").arg(weekdayWord));
    DateChanged();
}
