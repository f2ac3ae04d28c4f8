#include "GapCaption.h"

#include "CaptionGap.h"
#include "TypeFit.h"

#include <QPainter>
#include <QStyle>

#include <limits>

GapCaption::GapCaption(QWidget *parent) : QLabel(parent) {}

int GapCaption::suffixOffset() const
{
    const CaptionGap gap = CaptionGap::find(text());
    return gapSuffixStart(
        fontMetrics().horizontalAdvance(text().left(gap.prefixLength + gap.runLength)),
        occupantsSpan().second);
}

std::pair<int, int> GapCaption::occupantsSpan() const
{
    int left = std::numeric_limits<int>::max(), right = std::numeric_limits<int>::min();
    for (const QWidget *occupant : m_occupants) {
        const int offset = x() + contentsRect().left();
        left = std::min(left, occupant->x() - offset);
        right = std::max(right, occupant->geometry().right() + 1 - offset);
    }
    return {left, right};
}

void GapCaption::paintEvent(QPaintEvent *event)
{
    const CaptionGap gap = CaptionGap::find(text());
    if (!gap.isValid() || m_occupants.isEmpty()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const QRect room = contentsRect();
    const int flags = Qt::AlignLeft | Qt::AlignVCenter;
    style()->drawItemText(&painter, room, flags, palette(), isEnabled(),
                          text().left(gap.prefixLength), foregroundRole());
    style()->drawItemText(&painter, room.adjusted(suffixOffset(), 0, 0, 0), flags, palette(),
                          isEnabled(), text().mid(gap.prefixLength + gap.runLength),
                          foregroundRole());
}
