#include "LcdBox.h"

#include "TypeFit.h"

#include <QStyle>
#include <QStyleOptionFrame>

namespace {

// What the LCD boxes show: the logo's letters, digits and spaces.
const QString InkSample =
    QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");

} // namespace

LcdBox::LcdBox(QWidget *parent) : QLineEdit(parent) {}

void LcdBox::setDesignPointSize(double points)
{
    m_designPointSize = points;
    m_fittedSizes.clear();
    fitType();
}

void LcdBox::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    fitType();
}

double LcdBox::fittedPointSize(QFont type, int room)
{
    const int design = qRound(m_designPointSize * QuartersPerPoint);
    const int fitted = largestFittingQuarters(design, design, [&](int quarters) {
        type.setPointSizeF(quarters == design ? m_designPointSize
                                              : double(quarters) / QuartersPerPoint);
        return typeFits(type, room);
    });
    const double points = fitted == design ? m_designPointSize : double(fitted) / QuartersPerPoint;
    m_fittedSizes.insert(room, points);
    return points;
}

bool LcdBox::typeFits(const QFont &type, int room) const
{
    const QFontMetrics metrics(type);
    const QRect ink = metrics.tightBoundingRect(InkSample);
    return inkFitsCentredLine(room, metrics.height(), metrics.ascent(), -ink.top(),
                              ink.top() + ink.height());
}

void LcdBox::fitType()
{
    if (m_designPointSize <= 0)
        return;
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const int room = style()
                         ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
                         .marginsRemoved(textMargins())
                         .height();
    QFont type = font();
    type.setPointSizeF(m_fittedSizes.contains(room) ? m_fittedSizes.value(room)
                                                    : fittedPointSize(type, room));
    if (type != font())
        setFont(type);
}
