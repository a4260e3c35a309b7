#pragma once

#include <QComboBox>
#include <QElapsedTimer>

// A drop-down list drawn flat in one colour, whose opened list shows a bounded number of rows and
// scrolls. Typing selects the first entry that starts with the characters typed so far, ignoring
// the entries' leading spaces (the year entries read " 1960").
class FlatList : public QComboBox {
    Q_OBJECT
public:
    FlatList(const QColor& background, QWidget* parent = nullptr);

    // True while a key pressed on the closed list changes its entry: the user goes on choosing
    // here, so the focus should stay.
    bool ChangingByKey() const { return m_changingByKey; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor m_background;
    QString m_typed;
    QElapsedTimer m_sinceTyped;
    bool m_changingByKey = false;
};
