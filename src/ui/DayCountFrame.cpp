#include "DayCountFrame.h"

#include "ChineseFonts.h"
#include "ControlFactory.h"
#include "DesignColours.h"
#include "Label.h"
#include "Twips.h"

#include "core/DateText.h"
#include "core/History.h"

using namespace ControlFactory;

DayCountFrame::DayCountFrame(QWidget* parent)
    : CalculationFrame(2, 4300, QStringLiteral("计算天数"), parent) {
    AddDateField(2, 240);
    MakeLabel(this, QStringLiteral("yu"), Twips::Rect(1320, 480, 255, 240), QStringLiteral("与"),
              {DesignColours::Grey40, Qt::AlignLeft, true}, ChineseFonts::Hei(12, true));
    AddDateField(3, 1920);
    m_result = MakeLabel(this, IndexedName("CResult", 2), Twips::Rect(2880, 480, 1620, 180),
                         QStringLiteral("相差（?）天"), {FromBgr(0x00008000), Qt::AlignHCenter},
                         DefaultFont(), QStringLiteral("计算结果"));
    AddWeekday(2, 105, 0x00404040);
    AddWeekday(3, 1785, 0x00004000);
}

void DayCountFrame::Calculate() {
    const auto first = DateText::Parse(DateField(2)->text());
    const auto second = DateText::Parse(DateField(3)->text());
    if (!first || !second)
        return;
    m_result->SetCaption(DateText::DayDifferenceText(DateText::DayDifference(*first, *second)));
    emit resultReady(HistoryEntry::DayCount(DateField(2)->text(), Weekday(2)->text(), DateField(3)->text(),
                                            Weekday(3)->text(), m_result->text()));
}
