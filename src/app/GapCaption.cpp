#include "GapCaption.h"

#include "CaptionGap.h"

#include <QPainter>
#include <QStyle>

namespace {

// Room kept between the controls in the run and the words after it.
constexpr int Margin = 4;

} // namespace

GapCaption::GapCaption(QWidget *parent) : QLabel(parent) {}

int GapCaption::suffixOffset() const
{
    const CaptionGap gap = CaptionGap::find(text());
    const int natural =
        fontMetrics().horizontalAdvance(text().left(gap.prefixLength + gap.runLength));
    int offset = natural;
    for (const QWidget *occupant : m_occupants) {
        const int right = occupant->geometry().right() + 1 - x() - contentsRect().left();
        offset = std::max(offset, right + Margin);
    }
    return offset;
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
