// Dragging the picker panel by its title bar, and its close glyph.
#include "MainWindow.h"

#include "Label.h"
#include "Twips.h"

namespace {
// The window's outer width as created, and the design size of the panel, in twips.
constexpr int WindowOuterWidth = 4920;
constexpr int PanelWidth = 3200;
constexpr int PanelHeight = 3600;
// Fixed allowances for the window's border and title bar.
constexpr int BorderAllowance = 90;
constexpr int TitleAllowance = 400;
} // namespace

void MainWindow::ConnectTitleBar() {
    for (int index = 0; index < 2; ++index) {
        Label* label = m_ui.LblTitle[index];
        connect(label, &Label::pressed, this,
                [this, index](Qt::MouseButton button, Qt::MouseButtons, QPoint position) {
                    OnTitlePressed(index, button, position);
                });
        connect(label, &Label::moved, this,
                [this](Qt::MouseButtons buttons, QPoint position) { OnTitleMoved(buttons, position); });
        connect(label, &Label::released, this, [this, index] { OnTitleReleased(index); });
    }
    connect(m_ui.LblTitle[1], &Label::clicked, this, &MainWindow::ClosePicker);
}

void MainWindow::OnTitlePressed(int index, Qt::MouseButton, QPoint position) {
    if (index == 0) {
        TitleDragging = true;
        DragStartX = static_cast<std::int16_t>(Twips::FromPixels(position.x()));
        DragStartY = static_cast<std::int16_t>(Twips::FromPixels(position.y()));
        m_ui.LblTitle[0]->SetTextColour(Qt::black);
    } else {
        m_ui.LblTitle[1]->SetTextColour(Qt::red);
        m_ui.LblTitle[1]->SetBold(false);
    }
}

void MainWindow::OnTitleMoved(Qt::MouseButtons buttons, QPoint position) {
    // Only the left button alone drags.
    if (buttons != Qt::LeftButton || !TitleDragging)
        return;
    const int left = Twips::FromPixels(m_ui.FrCalendar->x()) - DragStartX + Twips::FromPixels(position.x());
    const int top = Twips::FromPixels(m_ui.FrCalendar->y()) - DragStartY + Twips::FromPixels(position.y());
    m_ui.FrCalendar->move(Twips::ToPixels(left), Twips::ToPixels(top));
}

void MainWindow::OnTitleReleased(int index) {
    TitleDragging = false;
    m_ui.LblTitle[0]->SetTextColour(Qt::white);
    if (index == 1) {
        m_ui.LblTitle[1]->SetTextColour(Qt::white);
        m_ui.LblTitle[1]->SetBold(true);
    }

    // Snap back inside the window, one edge at a time.
    QWidget* panel = m_ui.FrCalendar;
    const int outerHeight = Twips::FromPixels(frameGeometry().height());
    if (panel->x() < 0)
        panel->move(0, panel->y());
    if (panel->y() < 0)
        panel->move(panel->x(), 0);
    const int maxLeft = WindowOuterWidth - PanelWidth - BorderAllowance;
    if (Twips::FromPixels(panel->x()) > maxLeft)
        panel->move(Twips::ToPixels(maxLeft), panel->y());
    const int maxTop = outerHeight - PanelHeight - TitleAllowance;
    if (Twips::FromPixels(panel->y()) > maxTop)
        panel->move(panel->x(), Twips::ToPixels(maxTop));
}
