#pragma once

#include <QLabel>

// A label as the window uses it: plain text only, optionally sizing itself to its text (keeping its
// left and top), and reporting presses, moves, releases and clicks with the pointer's position. A
// label that takes the keyboard focus shows it and reports Enter or Space as a key click. A text
// wider than the label may grow ends in an ellipsis.
class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr);

    // Sets the caption; a self-sizing label then takes the size of its text.
    void SetCaption(const QString& text);
    void SetAutoSize(bool autoSize);

    void SetTextColour(const QColor& colour);
    void SetBackColour(const QColor& colour);
    void SetBold(bool bold);
    bool IsBold() const { return font().bold(); }

signals:
    void pressed(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint position);
    void moved(Qt::MouseButtons buttons, QPoint position);
    void released(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint position);
    void clicked();
    void keyClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_autoSize = false;
    bool m_leftPressed = false;
};
