#pragma once

#include <QColor>
#include <QWidget>

// A status lamp: a circle filling the widget, drawn with a solid fill of
// FillColor once one is set, and only its outline before.
class Lamp : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor FillColor READ fillColor WRITE setFillColor)

public:
    explicit Lamp(QWidget *parent = nullptr);

    QColor fillColor() const { return m_fillColor; }
    void setFillColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fillColor;
};
