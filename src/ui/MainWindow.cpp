#include "MainWindow.h"

#include "ChineseFonts.h"
#include "Label.h"

#include "core/DateText.h"
#include "core/HistoryFile.h"
#include "core/InfoTexts.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>

const QString MainWindow::Title = QStringLiteral("Brenmoor");

MainWindow::MainWindow(Platform& platform, const QString& historyPath, QWidget* parent)
    : MainWindow(platform, HistoryPlaces{historyPath, historyPath}, parent) {}

MainWindow::MainWindow(Platform& platform, const HistoryPlaces& places, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_platform(platform), m_places(places) {
    InstallChineseFonts();
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(Title);
    QFont base(QStringLiteral("宋体"));
    base.setPointSize(9);
    setFont(base);
    QPalette p = palette();
    p.setColor(QPalette::Window, FromBgr(0x00C4E2C0));
    setPalette(p);
    setAutoFillBackground(true);

    m_ui = BuildControlTree(this);
    ConnectCalculationFrames();
    ConnectHistoryPanel();
    ConnectPicker();
    ConnectTitleBar();
    ConnectInfoLines();
    LoadSequence();
}

void MainWindow::LoadSequence() {
    const HistoryFile::LoadResult loaded = HistoryFile::Load(m_places.readPath);
    for (int k = 0; k < loaded.lines.size() && k < History::SlotCount; ++k) {
        m_history.SetSlot(k, loaded.lines.at(k));
        ShowSlot(k);
    }
    if (!loaded.error.isEmpty())
        Warn(QStringLiteral("无法读取历史记录文件“%1”：%2\n程序将以能读到的历史记录继续运行。")
                 .arg(m_places.readPath, loaded.error));

    const QDate today = m_platform.Now().date();
    {
        // Filling a list selects its first entry; that is not a choice, so its handling must not run.
        const QSignalBlocker blockMonths(m_ui.cbomonth);
        const QSignalBlocker blockYears(m_ui.cboyear);
        m_ui.cbomonth->addItems(MonthGrid::MonthEntries());
        m_ui.cboyear->addItems(MonthGrid::YearEntries());
        m_ui.cbomonth->setCurrentIndex(-1);
        m_ui.cboyear->setCurrentIndex(-1);
    }
    m_grid.InitPicker(today);
    MirrorGrid();
    m_grid.TakeFocusRequest(); // the panel is hidden: the focus move has nowhere to go

    m_ui.lblday->SetCaption(DateText::WeekdayName(DateText::WeekdayNumber(today)));
    m_ui.Todayis[0]->SetCaption(InfoTexts::ComposeTodayLine(QStringLiteral(" %1").arg(today.year()),
                                                            QString::number(today.month()), today.day(),
                                                            m_ui.lblday->text()));
    ClockTick();
}

void MainWindow::CentreOnScreen() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        // Before the native window exists the frame is unknown and the client area would be
        // centred instead, leaving the window off centre by half its decoration.
        winId();
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_history.Slot(0).isEmpty())
        SaveHistoryFile();
    event->accept();
}

void MainWindow::SaveHistoryFile() {
    const QString error = HistoryFile::Save(m_places.writePath, m_history.AllSlots());
    if (!error.isEmpty())
        Warn(QStringLiteral("无法保存历史记录文件“%1”：%2\n原有的历史记录文件保持不变。")
                 .arg(m_places.writePath, error));
    else if (m_places.writePath != m_places.readPath)
        // The history moves once: from now on it is read where it was written.
        m_platform.ShowMessage(
            this, Platform::Icon::Information, Title,
            QStringLiteral("程序所在的文件夹不可写入，历史记录已保存到“%1”。\n以后将从这里读取历史记录。")
                .arg(m_places.writePath));
}

void MainWindow::Warn(const QString& text) {
    m_platform.ShowMessage(this, Platform::Icon::Warning, Title, text);
}
