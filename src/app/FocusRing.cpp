#include "FocusRing.h"

#include <QApplication>
#include <QComboBox>
#include <QPainter>

FocusRing::FocusRing(QWidget *window) : QFocusFrame(window), m_window(window)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { follow(now); });
    follow(window->focusWidget());
}

void FocusRing::follow(QWidget *focused)
{
    if (!focused || focused->window() != m_window)
        return; // the focus is elsewhere, or on no window: the ring stays
    // The port box's edit line has the focus of the box.
    if (auto *box = qobject_cast<QComboBox *>(focused->parentWidget()))
        focused = box;
    setWidget(focused);
}

void FocusRing::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(Colour, Width));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(Width / 2.0, Width / 2.0, -Width / 2.0, -Width / 2.0));
}
