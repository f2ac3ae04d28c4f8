#pragma once

#include <QObject>
#include <QSize>

class QMargins;
class QWidget;

// Opens a window at its size when created, or, on a screen whose available
// area cannot hold it with its frame, at the largest size that fits, centred
// (see fittedWindow()). A window manager frames a window only as it shows
// it, so the window is fitted without a frame first and, when the frame
// then known would push it past the area, fitted again as it first appears.
class ScreenFit : public QObject
{
    Q_OBJECT

public:
    explicit ScreenFit(QWidget &window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fit(const QMargins &frame);
    // Fits the window again if its frame pushes it past the available area.
    void fitFramed(const QMargins &frame);

    QWidget &m_window;
    QSize m_design;
};
