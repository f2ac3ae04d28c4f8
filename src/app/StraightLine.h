#pragma once

#include <QFrame>

// A straight line: a horizontal or vertical line (frameShape HLine or VLine)
// along the middle of the widget, one device pixel thick at every scale
// factor. The widget is a few pixels thicker than the line, so that it keeps
// whole device pixels for the line to fall on when the window scales it
// with every other control; it lets the mouse through to what lies below.
class StraightLine : public QFrame
{
    Q_OBJECT

public:
    explicit StraightLine(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
