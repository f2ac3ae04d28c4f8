#pragma once

#include <QImage>
#include <QProxyStyle>

class QWidget;

// Draws the frames of group boxes as the Fusion style draws their edges, at
// a fraction of the cost. Fusion stretches the nine pieces of a picture over
// a box: its corners, its edges and a faint shade, 3 of 255 darker than the
// window, over the whole inside. Drawn on every repaint over most of the
// window, the stretched picture made a resize of a large window cost half as
// much again as the controls' own painting, and the shade alone, a blend
// over every pixel of every box, most of that. This style draws the same
// corners and edges (to within a level of grey, where Fusion's stretching
// rounds a blend the other way) from lines of the picture laid out once,
// and leaves the inside to the window's own colour.
class GroupFrame : public QProxyStyle
{
public:
    // Gives every group box in the window this style, when the application's
    // style is Fusion or adapts it; under any other style it leaves every
    // box as it is.
    static void applyTo(QWidget *window);

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override;

private:
    GroupFrame(QStyle *fusion, const QImage &picture);
    // The four edges, each at least this long.
    void lengthenEdges(int length) const;

    QImage m_picture;
    // Each edge's lines repeated along its length: drawn unscaled, a strip
    // costs a blend of its own pixels, where a stretched line costs a
    // scaling of every pixel it covers.
    mutable QImage m_top, m_bottom, m_left, m_right;
};
