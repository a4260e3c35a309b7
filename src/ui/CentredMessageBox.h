#pragma once

#include <QMessageBox>

// A message box with one OK button and plain text, wide enough that the window manager can show its
// whole title, and centred over its window, or over the screen while no window is shown (the boxes
// of start-up); left to itself, a box without a shown window lands wherever the window manager likes.
class CentredMessageBox : public QMessageBox {
    Q_OBJECT
public:
    CentredMessageBox(Icon icon, const QString& title, const QString& text, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;
};
