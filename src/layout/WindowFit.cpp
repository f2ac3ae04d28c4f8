#include "WindowFit.h"

QRect fittedWindow(QSize design, QMargins frame, QRect available)
{
    const QSize room = available.size().shrunkBy(frame).expandedTo(QSize(0, 0));
    QRect framed(QPoint(), design.boundedTo(room).grownBy(frame));
    framed.moveCenter(available.center());
    return framed.marginsRemoved(frame);
}

bool opensMaximized(QSize design, QSize screen, bool learnsItsSpace)
{
    return !learnsItsSpace && (design.width() > screen.width() ||
                               design.height() + UnknownFrameAndPanel > screen.height());
}
