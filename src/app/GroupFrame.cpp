#include "GroupFrame.h"

#include <QApplication>
#include <QGroupBox>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

// Fusion's frame picture, from the toolkit's own resources, and the width of
// its edges, in the picture and on the screen alike.
const QString FramePicture =
    QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png");
constexpr int Edge = 6;
// The space Fusion leaves above the frame, beside the title's height.
constexpr int TitleMargin = 3;

// Whether every edge of the picture is one colour along its length: what
// repeating a line of it needs to look as the stretched picture does.
bool evenEdges(const QImage &picture)
{
    const int width = picture.width();
    const int height = picture.height();
    if (width <= 2 * Edge || height <= 2 * Edge)
        return false;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool alongRow = x >= Edge && x < width - Edge;
            const bool alongColumn = y >= Edge && y < height - Edge;
            if (alongRow && !alongColumn && picture.pixel(x, y) != picture.pixel(Edge, y))
                return false;
            if (alongColumn && !alongRow && picture.pixel(x, y) != picture.pixel(x, Edge))
                return false;
        }
    }
    return true;
}

// A strip of `length` copies of a line of the picture: a column one pixel
// wide repeated along x, or a row one pixel high repeated down y.
QImage repeated(const QImage &picture, const QRect &line, int length)
{
    const bool horizontal = line.width() == 1;
    QImage strip(horizontal ? QSize(length, line.height()) : QSize(line.width(), length),
                 picture.format());
    for (int i = 0; i < length; ++i) {
        for (int j = 0; j < (horizontal ? line.height() : line.width()); ++j) {
            if (horizontal)
                strip.setPixel(i, j, picture.pixel(line.left(), line.top() + j));
            else
                strip.setPixel(j, i, picture.pixel(line.left() + j, line.top()));
        }
    }
    return strip;
}

} // namespace

GroupFrame::GroupFrame(QStyle *fusion, const QImage &picture)
    : QProxyStyle(fusion),
      // What Fusion draws from: the picture made a pixmap, premultiplied.
      m_picture(picture.convertToFormat(QImage::Format_ARGB32_Premultiplied))
{}

void GroupFrame::applyTo(QWidget *window)
{
    // The application's style, or the style it adapts.
    const QStyle *style = QApplication::style();
    while (const auto *proxy = qobject_cast<const QProxyStyle *>(style))
        style = proxy->baseStyle();
    if (style->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0)
        return;
    const QImage picture(FramePicture);
    if (!evenEdges(picture))
        return; // another picture: Fusion draws it its own way
    QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion"));
    if (!fusion)
        return;
    auto *frames = new GroupFrame(fusion, picture);
    // Made after the boxes, so deleted after them with the window.
    frames->setParent(window);
    for (QGroupBox *box : window->findChildren<QGroupBox *>())
        box->setStyle(frames);
}

void GroupFrame::lengthenEdges(int length) const
{
    if (m_top.width() >= length && m_left.height() >= length)
        return;
    // Grown a quarter more than asked, so a window dragged larger a pixel at
    // a time does not rebuild them at every step.
    length += length / 4;
    const int farX = m_picture.width() - Edge;
    const int farY = m_picture.height() - Edge;
    m_top = repeated(m_picture, QRect(Edge, 0, 1, Edge), length);
    m_bottom = repeated(m_picture, QRect(Edge, farY, 1, Edge), length);
    m_left = repeated(m_picture, QRect(0, Edge, Edge, 1), length);
    m_right = repeated(m_picture, QRect(farX, Edge, Edge, 1), length);
}

void GroupFrame::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                               QPainter *painter, const QWidget *widget) const
{
    const auto *box = qobject_cast<const QGroupBox *>(widget);
    if (element != PE_FrameGroupBox || !box) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // The frame starts below the title, as Fusion places it.
    const int top = !box->isCheckable() && box->title().isEmpty()
                        ? TitleMargin
                        : qMax(baseStyle()->pixelMetric(PM_ExclusiveIndicatorHeight),
                               option->fontMetrics.height()) +
                              TitleMargin;
    const QRect frame = option->rect.adjusted(0, top, 0, 0);
    // At a scale between whole pixels the stretched picture's edges fall
    // between pixels, and Fusion's way of spreading them is its own.
    const qreal scale = painter->deviceTransform().m11();
    if (frame.width() <= 2 * Edge || frame.height() <= 2 * Edge || scale != qRound(scale) ||
        painter->deviceTransform().m22() != scale) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const QRect inside = frame.adjusted(Edge, Edge, -Edge, -Edge);
    const int farX = m_picture.width() - Edge;
    const int farY = m_picture.height() - Edge;
    const QPoint far = inside.bottomRight() + QPoint(1, 1);
    painter->drawImage(frame.topLeft(), m_picture, QRect(0, 0, Edge, Edge));
    painter->drawImage(QPoint(far.x(), frame.top()), m_picture, QRect(farX, 0, Edge, Edge));
    painter->drawImage(QPoint(frame.left(), far.y()), m_picture, QRect(0, farY, Edge, Edge));
    painter->drawImage(far, m_picture, QRect(farX, farY, Edge, Edge));
    lengthenEdges(qMax(inside.width(), inside.height()));
    painter->drawImage(QPoint(inside.left(), frame.top()), m_top,
                       QRect(0, 0, inside.width(), Edge));
    painter->drawImage(QPoint(inside.left(), far.y()), m_bottom, QRect(0, 0, inside.width(), Edge));
    painter->drawImage(QPoint(frame.left(), inside.top()), m_left,
                       QRect(0, 0, Edge, inside.height()));
    painter->drawImage(QPoint(far.x(), inside.top()), m_right, QRect(0, 0, Edge, inside.height()));
}
