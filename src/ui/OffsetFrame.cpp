#include "OffsetFrame.h"

#include "ChineseFonts.h"
#include "ControlFactory.h"
#include "DayCountBox.h"
#include "DesignColours.h"
#include "Label.h"
#include "Platform.h"
#include "Twips.h"

#include "core/DateText.h"
#include "core/DayCount.h"
#include "core/History.h"

#include <QPushButton>

using namespace ControlFactory;

OffsetFrame::OffsetFrame(Platform& platform, QWidget* parent)
    : CalculationFrame(1, 3000, QStringLiteral("计算日期"), parent), m_platform(platform) {
    AddDateField(1, 360);

    auto* box = m_count = new DayCountBox(this);
    box->setObjectName(QStringLiteral("HowmuchDays"));
    box->setGeometry(Twips::Rect(1430, 450, 720, 275));
    box->setFont(ChineseFonts::Song(12, true));
    box->setAlignment(Qt::AlignCenter);
    box->setFrame(false);
    // The box is as wide as five digits: no inner margin may push the first one out of sight.
    box->setTextMargins(0, 0, 0, 0);
    box->setContentsMargins(0, 0, 0, 0);
    box->setToolTip(QStringLiteral("输入天数(可为负数)后按回车键"));
    box->setAccessibleName(QStringLiteral("天数"));
    QPalette p = box->palette();
    p.setColor(QPalette::Text, DesignColours::Grey40);
    p.setColor(QPalette::Base, Qt::white);
    box->setPalette(p);
    box->setText(QStringLiteral("100"));
    box->setAttribute(Qt::WA_NoMousePropagation);

    m_confirm = MakeButton(this, QStringLiteral("Command1"), Twips::Rect(2220, 420, 615, 315),
                           QStringLiteral("OK！"), DefaultFont());
    m_confirm->hide();
    m_wording = MakeLabel(this, QStringLiteral("QianHou"), Twips::Rect(2205, 480, 1125, 210),
                          QStringLiteral("天之后是："), {DesignColours::Grey40, Qt::AlignLeft, true},
                          ChineseFonts::Hei(10.5, true));
    m_result = MakeLabel(this, IndexedName("CResult", 1), Twips::Rect(3315, 400, 1050, 210),
                         QStringLiteral("\?\?\?\?/\?\?/\?\?"), {FromBgr(0x00008000), Qt::AlignHCenter, true},
                         ChineseFonts::Hei(10.5), QStringLiteral("计算结果"));
    AddWeekday(1, 240, 0x00404040);
    AddWeekday(0, 3360, 0x00404040);

    connect(box, &QLineEdit::textChanged, this, [this] {
        m_confirm->show();
        m_wording->hide();
    });
    connect(box, &DayCountBox::enterPressed, this, [this] {
        // Enter confirms only while a changed count waits for it.
        if (!m_confirm->isHidden())
            ConfirmOffset();
    });
    connect(m_confirm, &QPushButton::clicked, this, &OffsetFrame::ConfirmOffset);
}

void OffsetFrame::ConfirmOffset() {
    if (m_count->text().isEmpty()) {
        m_platform.ShowMessage(window(), Platform::Icon::Warning, ProgramTitle,
                               QStringLiteral("请输入天数！（可为负数）"));
        return;
    }
    Calculate();
    // After Calculate: its own change of the box's text shows the button again.
    m_confirm->hide();
    m_wording->show();
}

void OffsetFrame::Calculate() {
    const auto base = DateText::Parse(DateField(1)->text());
    const auto count = DayCount::Parse(m_count->text());
    if (!base || !count)
        return;
    const auto result = DateText::OffsetDate(*base, DayCount::WholeDays(*count));
    if (!result)
        return;
    m_result->SetCaption(DateText::Format(*result));
    m_wording->SetCaption(DayCount::DirectionWording(*count));
    // The box keeps the count's size; the wording says the direction.
    if (DayCount::IsBefore(*count))
        m_count->setText(m_count->text().remove(QLatin1Char('-')));
    Weekday(0)->SetCaption(DateText::WeekdayText(*result));
    emit resultReady(HistoryEntry::Offset(DateField(1)->text(), Weekday(1)->text(), m_count->text(),
                                          m_wording->text(), m_result->text(), Weekday(0)->text()));
}
