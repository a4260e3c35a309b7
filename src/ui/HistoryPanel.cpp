#include "HistoryPanel.h"

#include "ChineseFonts.h"
#include "ControlFactory.h"
#include "Decoration.h"
#include "DesignColours.h"
#include "Label.h"
#include "Platform.h"
#include "Twips.h"

#include "core/ColourCycle.h"
#include "core/HistoryFile.h"
#include "core/InfoTexts.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <utility>

using namespace ControlFactory;

namespace {

constexpr std::array<int, History::SlotCount> EntryTops = {360, 645, 945, 1230, 1530, 1815, 2100, 2400};
constexpr std::array<int, History::SlotCount> SeparatorTops = {540, 831, 1122, 1413, 1704, 1995, 2286, 2580};
constexpr int StepInterval = 250;
constexpr int StopInterval = 3000;
// The longest results need up to a pixel less between characters to fit, bold too where bold is drawn
// wider (SimSun); a longer line (from a file written elsewhere) is set no tighter than this and cut
// short with an ellipsis.
constexpr qreal MaxTightening = 1.5;
// A tooltip stays readable: a longer entry shows its beginning there.
constexpr qsizetype TooltipEntryLength = 80;

QColor ToColour(ColourCycle::Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

} // namespace

HistoryPanel::HistoryPanel(Platform& platform, const HistoryPlaces& places, QWidget* parent)
    : Frame(parent), m_platform(platform), m_places(places) {
    setObjectName(IndexedName("Fr", 0));
    setGeometry(Twips::Rect(25, 30, 4735, 2700));
    SetBackground(Qt::white);
    setAccessibleName(QStringLiteral("历史记录"));

    m_todayLine = MakeLabel(this, IndexedName("Todayis", 0), Twips::Rect(0, 0, 4735, 250),
                            QStringLiteral("今天是：2013年01月20日 星期日"),
                            {FromBgr(0x00E0E0E0), Qt::AlignHCenter, false, DesignColours::Blue},
                            ChineseFonts::Hei(10.5, true), InfoTexts::TimePageTip);

    for (int k = 0; k < History::SlotCount; ++k) {
        Label* entry = m_entries[k] =
            MakeLabel(this, IndexedName("History", k), Twips::Rect(15, EntryTops[k], 4720, 180), {},
                      {ToColour(ColourCycle::HistoryColour), Qt::AlignHCenter, true}, DefaultFont());
        entry->setMouseTracking(true);
        entry->setMaximumWidth(width() - 2 * entry->x());
        entry->setProperty("Tag", QString());
        entry->setAccessibleDescription(QStringLiteral("历史记录 %1，点击复制").arg(k + 1));
        connect(entry, &Label::clicked, this, [this, k] { CopyEntry(k); });
        connect(entry, &Label::moved, this, [this, k] { OnEntryHover(k); });

        auto* line = new Decoration(Decoration::Kind::DottedLine, FromBgr(0x00E0E0E0), 1, this);
        line->setObjectName(IndexedName("Line1", k));
        line->setGeometry(0, Twips::ToPixels(SeparatorTops[k]), Twips::ToPixels(4770), 1);
        line->lower();
    }
    m_shanShuo[0] = MakeTimer(this, IndexedName("T_ShanShuo", 0), StepInterval);
    m_shanShuo[1] = MakeTimer(this, IndexedName("T_ShanShuo", 1), StopInterval);
    connect(m_shanShuo[0], &QTimer::timeout, this, [this] { ShanShuoTick(0); });
    connect(m_shanShuo[1], &QTimer::timeout, this, [this] { ShanShuoTick(1); });

    connect(this, &Frame::surfaceMoved, this, [this] {
        for (Label* entry : m_entries)
            if (entry->IsBold())
                entry->SetBold(false);
    });
}

void HistoryPanel::LoadHistory() {
    const HistoryFile::LoadResult loaded = HistoryFile::Load(m_places.readPath);
    // A file read in one place and written in another stays as it is anyway.
    m_keepOldFile = loaded.exists && !loaded.carriedWhole && m_places.readPath == m_places.writePath;
    for (int k = 0; k < loaded.lines.size() && k < History::SlotCount; ++k) {
        m_history.SetSlot(k, loaded.lines.at(k));
        ShowSlot(k);
    }
    if (!loaded.error.isEmpty())
        m_platform.ShowMessage(
            window(), Platform::Icon::Warning, ProgramTitle,
            QStringLiteral("无法读取历史记录文件“%1”：%2\n程序将以能读到的历史记录继续运行。")
                .arg(m_places.readPath, loaded.error));
}

void HistoryPanel::SaveHistory() {
    const QString& path = m_places.writePath;
    QString error;
    if (m_keepOldFile) {
        const QString reason = HistoryFile::KeepOldFile(path);
        if (!reason.isEmpty())
            error = QStringLiteral("无法先保留原文件的副本“%1”（%2）")
                        .arg(HistoryFile::KeptCopyPath(path), reason);
    }
    if (error.isEmpty())
        error = HistoryFile::Save(path, m_history.AllSlots());
    if (!error.isEmpty()) {
        // Told once while the same reason stands, not after every result.
        if (std::exchange(m_toldFailure, error) != error)
            m_platform.ShowMessage(
                window(), Platform::Icon::Warning, ProgramTitle,
                QStringLiteral("无法保存历史记录文件“%1”：%2\n原有的历史记录文件保持不变。")
                    .arg(path, error));
        return;
    }
    m_unsaved = false;
    m_toldFailure.clear();
    if (std::exchange(m_keepOldFile, false))
        m_platform.ShowMessage(
            window(), Platform::Icon::Information, ProgramTitle,
            QStringLiteral("原有的历史记录文件含有本程序无法完整保留的内容，已将它原样保存为“%1”。")
                .arg(HistoryFile::KeptCopyPath(path)));
    if (path != m_places.readPath) {
        // The history moves once: from now on it is read where it was written.
        m_places.readPath = path;
        m_platform.ShowMessage(
            window(), Platform::Icon::Information, ProgramTitle,
            QStringLiteral("程序所在的文件夹不可写入，历史记录已保存到“%1”。\n以后将从这里读取历史记录。")
                .arg(path));
    }
}

void HistoryPanel::SavePending() {
    if (!m_unsaved || !HasFirstEntry())
        return;
    m_toldFailure.clear(); // the last chance: a failure is told again
    SaveHistory();
}

void HistoryPanel::ShowSlot(int index) {
    Label* entry = m_entries[index];
    const QString& text = m_history.Slot(index);
    // The longest entries are a few pixels wider than the panel: set them a little tighter so they
    // show whole, also in bold under the pointer.
    QFont font = entry->font();
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    QFont bold = font;
    bold.setBold(true);
    const int excess =
        std::max(QFontMetrics(font).horizontalAdvance(text), QFontMetrics(bold).horizontalAdvance(text)) -
        entry->maximumWidth();
    if (excess > 0 && !text.isEmpty())
        font.setLetterSpacing(QFont::AbsoluteSpacing, -qMin(qreal(excess + 1) / text.size(), MaxTightening));
    entry->setFont(font);
    entry->SetCaption(text);
}

void HistoryPanel::AddHistory(const QString& entry) {
    m_history.Add(entry);
    for (int k = 0; k < History::SlotCount; ++k)
        if (m_entries[k]->text() != m_history.Slot(k))
            ShowSlot(k);
    // Enabling a running timer must not restart its count.
    if (!m_shanShuo[0]->isActive())
        m_shanShuo[0]->start();
    // Written at once, a few hundred bytes replaced in one step: a session that ends without the
    // window closing (a lost display, a crash, a power cut) keeps the result.
    m_unsaved = true;
    SaveHistory();
}

void HistoryPanel::CopyEntry(int index) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(m_history.Slot(index));
    m_platform.ShowMessage(window(), Platform::Icon::Information, ProgramTitle,
                           QStringLiteral("复制成功！您可以在文本框内按 Ctrl V 粘贴本条内容。"));
}

void HistoryPanel::OnEntryHover(int index) {
    Label* entry = m_entries[index];
    if (!entry->IsBold())
        entry->SetBold(true);
    const QString& text = m_history.Slot(index);
    const QString tip = QStringLiteral("点击复制:") +
                        (text.size() > TooltipEntryLength ? text.left(TooltipEntryLength) + u'…' : text);
    // A tooltip that looks like markup is shown as rich text; an entry must show literally.
    entry->setToolTip(Qt::mightBeRichText(tip)
                          ? QStringLiteral("<p style='white-space:pre'>%1</p>").arg(tip.toHtmlEscaped())
                          : tip);
}

void HistoryPanel::ShanShuoTick(int timer) {
    Label* entry = m_entries[m_history.ShanShuoIndex()];
    if (timer == 0) {
        const int next = ColourCycle::NextIndex(entry->property("Tag").toString());
        entry->setProperty("Tag", QString::number(next));
        entry->SetTextColour(ToColour(ColourCycle::PaletteColour(next)));
        if (!m_shanShuo[1]->isActive())
            m_shanShuo[1]->start();
    } else {
        m_shanShuo[0]->stop();
        entry->SetTextColour(ToColour(ColourCycle::HistoryColour));
        m_shanShuo[1]->stop();
    }
}
