#pragma once

#include <QGroupBox>

// A container of controls: either a captioned frame with a single border or a plain panel. It
// reports pointer moves over its bare surface, that is where none of its controls lies.
class Frame : public QGroupBox {
    Q_OBJECT
public:
    explicit Frame(QWidget* parent = nullptr);

    // A plain panel in the given background colour, no border, no caption.
    void MakePanel(const QColor& background);
    // A captioned frame with a single border on the given background.
    void MakeCaptioned(const QString& caption, const QColor& captionColour, const QColor& background);

signals:
    void surfaceMoved();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
};
