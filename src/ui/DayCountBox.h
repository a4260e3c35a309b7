#pragma once

#include <QLineEdit>

// The day-count box: every key first drops a misplaced minus; Enter is reported, and then, like any
// character that is not a day-count key, discarded; the caret is hidden once the box has focus.
class DayCountBox : public QLineEdit {
    Q_OBJECT
public:
    explicit DayCountBox(QWidget* parent = nullptr);

signals:
    void enterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
