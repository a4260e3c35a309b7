#pragma once

#include <QPoint>

#include <cstdint>

class Label;
class QWidget;

// Dragging a panel by its title bar: the grabbed point follows the left button; on release the panel
// snaps back inside its window. The title and the close glyph show presses in their colours.
class TitleBarDrag {
public:
    TitleBarDrag(QWidget* panel, Label* title, Label* closeGlyph);

    void OnPressed(int label, QPoint position);
    void OnMoved(Qt::MouseButtons buttons, QPoint position);
    void OnReleased(int label);
    // A drag cannot outlive its panel.
    void Cancel() { TitleDragging = false; }

private:
    void SnapInside();

    QWidget* m_panel;
    Label* m_title;
    Label* m_closeGlyph;
    bool TitleDragging = false;
    std::int16_t DragStartX = 0;
    std::int16_t DragStartY = 0;
};
