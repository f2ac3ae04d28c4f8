#pragma once

#include <QColor>
#include <QWidget>

// A status lamp: a circle filling the widget, drawn with a solid fill of
// FillColor once one is set, and only its outline before. Its accessible
// description says what its colour means, for a user who cannot see it, and
// whether the port is open.
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

    // Whether the port is open: a green lamp keeps its colour when the port
    // closes under it, but no longer reads as ready.
    void setPortOpen(bool open);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void describe();

    QColor m_fillColor;
    bool m_portOpen = false;
};
