#include "StraightLine.h"

#include <QPainter>

StraightLine::StraightLine(QWidget *parent) : QFrame(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void StraightLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // A pen of width 0 is one device pixel wide whatever the scale, and
    // without antialiasing it covers one whole pixel rather than two halves.
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
    const QRectF area = rect();
    if (frameShape() == QFrame::VLine)
        painter.drawLine(QLineF(area.center().x(), area.top(), area.center().x(), area.bottom()));
    else
        painter.drawLine(QLineF(area.left(), area.center().y(), area.right(), area.center().y()));
}
