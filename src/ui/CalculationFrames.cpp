// The two calculation frames: the offset frame's confirm operation and the calculation itself.
#include "MainWindow.h"

#include "DayCountBox.h"
#include "Frame.h"
#include "Label.h"

#include "core/DateText.h"
#include "core/DayCount.h"

#include <QPushButton>

void MainWindow::ConnectCalculationFrames() {
    DayCountBox* box = m_ui.HowmuchDays;
    connect(box, &QLineEdit::textChanged, this, [this] {
        m_ui.Command1->show();
        m_ui.QianHou->hide();
    });
    connect(box, &DayCountBox::enterPressed, this, [this] {
        // Enter confirms only while a changed count waits for it.
        if (!m_ui.Command1->isHidden())
            ConfirmOffset();
    });
    connect(m_ui.Command1, &QPushButton::clicked, this, &MainWindow::ConfirmOffset);
    for (int k = 1; k <= 3; ++k) {
        connect(m_ui.ChooseDate[k], &Label::clicked, this, [this, k] { OpenPicker(k); });
        connect(m_ui.ChooseDate[k], &Label::moved, this, [this, k] { m_ui.ChooseDate[k]->SetBold(true); });
    }
    connect(m_ui.Fr[1], &Frame::surfaceMoved, this, [this] {
        if (m_ui.ChooseDate[1]->IsBold())
            m_ui.ChooseDate[1]->SetBold(false);
    });
    connect(m_ui.Fr[2], &Frame::surfaceMoved, this, [this] {
        for (int k : {2, 3})
            if (m_ui.ChooseDate[k]->IsBold())
                m_ui.ChooseDate[k]->SetBold(false);
    });
}

void MainWindow::ConfirmOffset() {
    if (m_ui.HowmuchDays->text().isEmpty()) {
        Warn(QStringLiteral("请输入天数！（可为负数）"));
        return;
    }
    Calculate(1);
    // After Calculate: its own change of the box's text shows the button again.
    m_ui.Command1->hide();
    m_ui.QianHou->show();
}

void MainWindow::Calculate(int kind) {
    // Every step reads the controls afresh; a failing step ends the calculation silently.
    if (kind == 1) {
        const auto base = DateText::Parse(m_ui.ChooseDate[1]->text());
        const auto count = DayCount::Parse(m_ui.HowmuchDays->text());
        if (!base || !count)
            return;
        const auto result = DateText::OffsetDate(*base, DayCount::WholeDays(*count));
        if (!result)
            return;
        m_ui.CResult[1]->SetCaption(DateText::Format(*result));

        const QString countText = m_ui.HowmuchDays->text();
        const auto recount = DayCount::Parse(countText);
        if (!recount)
            return;
        m_ui.QianHou->SetCaption(DayCount::DirectionWording(*recount));
        if (DayCount::IsBefore(*recount))
            m_ui.HowmuchDays->setText(QString(countText).remove(QLatin1Char('-')));

        const auto shown = DateText::Parse(m_ui.CResult[1]->text());
        if (!shown)
            return;
        m_ui.ChooseWeek[0]->SetCaption(DateText::WeekdayText(*shown));
        AddHistory(1);
    } else if (kind == 2) {
        const auto first = DateText::Parse(m_ui.ChooseDate[2]->text());
        const auto second = DateText::Parse(m_ui.ChooseDate[3]->text());
        if (!first || !second)
            return;
        m_ui.CResult[2]->SetCaption(DateText::DayDifferenceText(DateText::DayDifference(*first, *second)));
        AddHistory(2);
    }
}
