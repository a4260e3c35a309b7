// The history panel: labels mirroring the slots, copying an entry, hover weight and tooltip, blink.
#include "MainWindow.h"

#include "DayCountBox.h"
#include "Frame.h"
#include "Label.h"

#include "core/ColourCycle.h"
#include "core/History.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTextDocument>
#include <QTimer>

namespace {

QColor ToColour(ColourCycle::Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// A finished calculation's entry, built from the texts its frame shows.
QString EntryText(int kind, const ControlTree& ui) {
    if (kind == 1)
        return HistoryEntry::Offset(ui.ChooseDate[1]->text(), ui.ChooseWeek[1]->text(),
                                    ui.HowmuchDays->text(), ui.QianHou->text(), ui.CResult[1]->text(),
                                    ui.ChooseWeek[0]->text());
    return HistoryEntry::DayCount(ui.ChooseDate[2]->text(), ui.ChooseWeek[2]->text(),
                                  ui.ChooseDate[3]->text(), ui.ChooseWeek[3]->text(), ui.CResult[2]->text());
}

} // namespace

void MainWindow::ConnectHistoryPanel() {
    for (int k = 0; k < History::SlotCount; ++k) {
        connect(m_ui.History[k], &Label::clicked, this, [this, k] { CopyHistoryEntry(k); });
        connect(m_ui.History[k], &Label::moved, this, [this, k] { OnHistoryHover(k); });
    }
    connect(m_ui.Fr[0], &Frame::surfaceMoved, this, [this] {
        for (Label* entry : m_ui.History)
            if (entry->IsBold())
                entry->SetBold(false);
    });
    connect(m_ui.T_ShanShuo[0], &QTimer::timeout, this, [this] { ShanShuoTick(0); });
    connect(m_ui.T_ShanShuo[1], &QTimer::timeout, this, [this] { ShanShuoTick(1); });
}

void MainWindow::ShowSlot(int index) {
    m_ui.History[index]->SetCaption(m_history.Slot(index));
}

void MainWindow::AddHistory(int kind) {
    if (kind != 1 && kind != 2)
        return;
    m_history.Add(EntryText(kind, m_ui));
    for (int k = 0; k < History::SlotCount; ++k)
        if (m_ui.History[k]->text() != m_history.Slot(k))
            ShowSlot(k);
    // Enabling a running timer must not restart its count.
    if (!m_ui.T_ShanShuo[0]->isActive())
        m_ui.T_ShanShuo[0]->start();
}

void MainWindow::CopyHistoryEntry(int index) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(m_ui.History[index]->text());
    m_platform.ShowMessage(this, Platform::Icon::Information, Title,
                           QStringLiteral("复制成功！您可以在文本框内按 Ctrl V 粘贴本条内容。"));
}

void MainWindow::OnHistoryHover(int index) {
    Label* entry = m_ui.History[index];
    if (!entry->IsBold())
        entry->SetBold(true);
    const QString tip = QStringLiteral("点击复制:") + entry->text();
    // A tooltip that looks like markup is shown as rich text; an entry must show literally.
    entry->setToolTip(Qt::mightBeRichText(tip)
                          ? QStringLiteral("<p style='white-space:pre'>%1</p>").arg(tip.toHtmlEscaped())
                          : tip);
}

void MainWindow::ShanShuoTick(int timer) {
    Label* entry = m_ui.History[m_history.ShanShuoIndex()];
    if (timer == 0) {
        const int next = ColourCycle::NextIndex(entry->property("Tag").toString());
        entry->setProperty("Tag", QString::number(next));
        entry->SetTextColour(ToColour(ColourCycle::PaletteColour(next)));
        if (!m_ui.T_ShanShuo[1]->isActive())
            m_ui.T_ShanShuo[1]->start();
    } else {
        m_ui.T_ShanShuo[0]->stop();
        entry->SetTextColour(ToColour(ColourCycle::HistoryColour));
        m_ui.T_ShanShuo[1]->stop();
    }
}
