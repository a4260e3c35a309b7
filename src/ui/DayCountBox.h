#pragma once

#include <QLineEdit>

// The day-count box: every key first drops a misplaced minus; Enter is reported, and then, like any
// character that is not a day-count key, discarded; the caret is hidden once the box has focus. A
// paste, by key, middle click or context menu, puts in what typing its text would: its count
// characters, up to the length limit, and then without a misplaced minus.
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
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void DropMisplacedMinus();
    void PasteTypable(const QString& pasted);
};
