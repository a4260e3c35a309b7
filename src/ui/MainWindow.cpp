#include "MainWindow.h"

#include "ControlFactory.h"
#include "DayCountFrame.h"
#include "Decoration.h"
#include "DesignColours.h"
#include "HistoryPanel.h"
#include "InfoLines.h"
#include "Label.h"
#include "OffsetFrame.h"
#include "PickerPanel.h"
#include "PressableLabels.h"
#include "Twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

MainWindow::MainWindow(Platform& platform, const QString& historyPath, QWidget* parent)
    : MainWindow(platform, HistoryPlaces{historyPath, historyPath}, parent) {}

MainWindow::MainWindow(Platform& platform, const HistoryPlaces& places, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_platform(platform) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(ProgramTitle);
    setFont(ControlFactory::DefaultFont());
    QPalette p = palette();
    p.setColor(QPalette::Window, DesignColours::Paper);
    setPalette(p);
    setAutoFillBackground(true);
    // The outer width of 4920 twips shows the left 4800 twips of the layout as the client area.
    setFixedSize(Twips::ToPixels(4800), Twips::ToPixels(5805));

    auto* outline = new Decoration(Decoration::Kind::Outline, DesignColours::Blue, 2, this);
    outline->setObjectName(QStringLiteral("Shape1"));
    outline->setGeometry(Twips::Rect(0, 0, 4800, 5595));
    m_history = new HistoryPanel(platform, places, this);
    auto* rule = new Decoration(Decoration::Kind::SolidLine, DesignColours::Blue, 2, this);
    rule->setObjectName(ControlFactory::IndexedName("Line1", 8));
    rule->setGeometry(0, Twips::ToPixels(2760) - 1, Twips::ToPixels(4760), 2);
    m_offset = new OffsetFrame(platform, this);
    m_dayCount = new DayCountFrame(this);
    m_info = std::make_unique<InfoLines>(platform, this, m_history->TodayLine());

    for (CalculationFrame* frame :
         {static_cast<CalculationFrame*>(m_offset), static_cast<CalculationFrame*>(m_dayCount)}) {
        connect(frame, &CalculationFrame::dateFieldClicked, this, &MainWindow::OpenPicker);
        connect(frame, &CalculationFrame::resultReady, m_history, &HistoryPanel::AddHistory);
    }
    // Keyboard order after the picker's controls: the count box, its button, then the date fields.
    QWidget* count = m_offset->findChild<QWidget*>(QStringLiteral("HowmuchDays"));
    QWidget* confirm = m_offset->findChild<QWidget*>(QStringLiteral("Command1"));
    setTabOrder(count, confirm);
    setTabOrder(confirm, m_offset->DateField(1));
    setTabOrder(m_offset->DateField(1), m_dayCount->DateField(2));
    setTabOrder(m_dayCount->DateField(2), m_dayCount->DateField(3));
    PressableLabels::SetUp(this, m_dayCount->DateField(3));
    LoadSequence();
}

MainWindow::~MainWindow() = default;

void MainWindow::LoadSequence() {
    m_history->LoadHistory();
    const QDate today = m_platform.Now().date();
    // The panel that shows the grid is built after the first frame; its state is settled now.
    m_grid.InitPicker(today);
    m_grid.TakeFocusRequest();
    m_info->ShowToday(today);
    m_info->ClockTick();
}

PickerPanel* MainWindow::Picker() {
    if (!m_picker) {
        m_picker = new PickerPanel(m_grid, this);
        connect(m_picker, &PickerPanel::confirmed, this, &MainWindow::OnPickerConfirmed);
        connect(m_picker, &PickerPanel::closed, this, &MainWindow::OnPickerClosed);
        setTabOrder(m_picker->findChild<QWidget*>(QStringLiteral("cboyear")),
                    m_offset->findChild<QWidget*>(QStringLiteral("HowmuchDays")));
    }
    return m_picker;
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // The hidden picker panel is not part of the first frame: build it once that is on screen.
    if (!m_picker && !m_pickerQueued) {
        m_pickerQueued = true;
        QMetaObject::invokeMethod(this, &MainWindow::Picker, Qt::QueuedConnection);
    }
}

void MainWindow::OpenPicker(int field, bool byKeyboard) {
    // Disabling the frames would hand a focus inside them on to the next control; a mouse user finds
    // it where it was once the panel closes.
    QWidget* focus = focusWidget();
    if (!byKeyboard && focus && (m_offset->isAncestorOf(focus) || m_dayCount->isAncestorOf(focus))) {
        m_focusBeforePicker = focus;
        focus->clearFocus();
    }
    Picker()->OpenPicker(field, byKeyboard);
    SetCalculationFramesEnabled(false);
}

void MainWindow::OnPickerConfirmed(int field, const QString& dateText, const QString& weekdayWord) {
    FrameOf(field)->ConfirmDate(field, dateText, weekdayWord);
}

void MainWindow::OnPickerClosed(int field, bool returnFocus) {
    SetCalculationFramesEnabled(true);
    if (returnFocus)
        FrameOf(field)->DateField(field)->setFocus(Qt::TabFocusReason);
    else if (m_focusBeforePicker)
        m_focusBeforePicker->setFocus(Qt::OtherFocusReason);
    m_focusBeforePicker = nullptr;
}

CalculationFrame* MainWindow::FrameOf(int field) const {
    if (field == 1)
        return m_offset;
    return m_dayCount;
}

void MainWindow::SetCalculationFramesEnabled(bool enabled) {
    m_offset->setEnabled(enabled);
    m_dayCount->setEnabled(enabled);
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
    // Each result is written when made; this writes what a failed write left.
    m_history->SavePending();
    event->accept();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Esc presses the picker's cancel button while the panel shows.
    if (event->key() == Qt::Key_Escape && m_picker && m_picker->IsOpen()) {
        m_picker->ClosePicker();
        return;
    }
    QWidget::keyPressEvent(event);
}
