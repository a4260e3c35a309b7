#pragma once

#include <QColor>
#include <QWidget>

// A container of controls: either a captioned frame with a single border or a plain panel. It
// reports pointer moves over its bare surface, that is where none of its controls lies.
class Frame : public QWidget {
    Q_OBJECT
public:
    explicit Frame(QWidget* parent = nullptr);

    // A plain panel in the given background colour, no border, no caption.
    void MakePanel(const QColor& background);
    // A captioned frame with a single border on the given background. The caption's font is its
    // own: the controls inside keep the window's font.
    void MakeCaptioned(const QString& caption, const QFont& captionFont, const QColor& captionColour,
                       const QColor& background);
    QString Caption() const { return m_caption; }

signals:
    void surfaceMoved();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
    QFont m_captionFont;
    QColor m_captionColour;
};
