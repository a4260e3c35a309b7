#pragma once

#include <QPushButton>

// A flat button drawn in its own background colour, with a dotted focus rectangle. Enter presses it
// like Space while it has the focus; arrow keys go on to its container.
class FlatButton : public QPushButton {
    Q_OBJECT
public:
    FlatButton(const QString& text, const QColor& background, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor m_background;
};
