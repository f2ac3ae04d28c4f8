#pragma once

#include <QColor>
#include <QWidget>

// A status lamp: a circle filling the widget, drawn with a solid fill of
// FillColor once one is set, and only its outline before. Its accessible
// description says what its colour means, for a user who cannot see it.
class Lamp : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor FillColor READ fillColor WRITE setFillColor)

public:
    // Green: the lamp's step ended well, or the port was just opened. Red: a
    // step is under way, or it stopped before its end.
    static inline const QColor Green{0, 255, 0};
    static inline const QColor Red{255, 0, 0};

    explicit Lamp(QWidget *parent = nullptr);

    QColor fillColor() const { return m_fillColor; }
    void setFillColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fillColor;
};
