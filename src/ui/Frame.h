#pragma once

#include <QColor>
#include <QWidget>

// A container of controls: either a captioned frame with a single border or a plain panel. The
// caption is the frame's `title` and accessible name, drawn in the frame's own font as a group box
// does; its controls carry fonts of their own. It reports pointer moves over its bare surface, that
// is where none of its controls lies.
class Frame : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle)
public:
    explicit Frame(QWidget* parent = nullptr);

    // A plain panel in the given background colour.
    void SetBackground(const QColor& background);
    // A single border with the caption in the given colour; an empty title draws neither.
    void setTitle(const QString& title);
    QString title() const { return m_title; }
    void SetTitleColour(const QColor& colour);

signals:
    void surfaceMoved();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_title;
    QColor m_titleColour;
};
