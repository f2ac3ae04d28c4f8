#include "ScreenFit.h"

#include "WindowFit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

ScreenFit::ScreenFit(QWidget &window) : QObject(&window), m_window(window), m_design(window.size())
{
    fit(QMargins());
    m_window.installEventFilter(this);
}

void ScreenFit::fit(const QMargins &frame)
{
    const QScreen *screen = m_window.screen();
    if (!screen)
        return;
    // A Wayland client can neither place itself nor learn what the panels take.
    const bool learnsItsSpace = !QGuiApplication::platformName().startsWith(u"wayland");
    if (opensMaximized(m_design, screen->size(), learnsItsSpace))
        m_window.setWindowState(m_window.windowState() | Qt::WindowMaximized);
    else
        m_window.setGeometry(fittedWindow(m_design, frame, screen->availableGeometry()));
}

bool ScreenFit::eventFilter(QObject *watched, QEvent *event)
{
    QWindow *handle = m_window.windowHandle();
    if (watched == &m_window && event->type() == QEvent::Show && handle) {
        m_window.removeEventFilter(this);
        // Without a frame yet, the window manager frames the window before
        // it first appears.
        if (handle->frameMargins().isNull())
            handle->installEventFilter(this);
        else
            fitFramed(handle->frameMargins());
    } else if (watched == handle && event->type() == QEvent::Expose) {
        handle->removeEventFilter(this);
        fitFramed(handle->frameMargins());
    }
    return false;
}

void ScreenFit::fitFramed(const QMargins &frame)
{
    const QScreen *screen = m_window.screen();
    if (screen && !screen->availableGeometry().contains(m_window.geometry() + frame))
        fit(frame);
}
