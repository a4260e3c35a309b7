#pragma once

#include <QColor>
#include <QWidget>

// Painted decoration that never takes the pointer: a line or a rectangle outline.
class Decoration : public QWidget {
    Q_OBJECT
public:
    enum class Kind { SolidLine, DottedLine, Outline };

    Decoration(Kind kind, const QColor& colour, int penPixels, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind m_kind;
    QColor m_colour;
    int m_penPixels;
};
