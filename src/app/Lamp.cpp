#include "Lamp.h"

#include <QPainter>

Lamp::Lamp(QWidget *parent) : QWidget(parent) {}

void Lamp::setFillColor(const QColor &color)
{
    if (color == m_fillColor)
        return;
    m_fillColor = color;
    describe();
    update();
}

void Lamp::setPortOpen(bool open)
{
    m_portOpen = open;
    describe();
}

void Lamp::describe()
{
    const QString closed = m_portOpen ? QString() : tr("; the port is closed");
    setAccessibleDescription(
        m_fillColor == Green ? (m_portOpen ? tr("Green: ready, its last step ended well")
                                           : tr("Green: its last step ended well") + closed)
        : m_fillColor == Red ? tr("Red: busy, or its last step failed") + closed
                             : m_fillColor.name());
}

void Lamp::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.setBrush(m_fillColor.isValid() ? QBrush(m_fillColor) : QBrush(Qt::NoBrush));
    const qreal side = qMin(width(), height()) - 1.0;
    const QRectF circle((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    painter.drawEllipse(circle);
}
