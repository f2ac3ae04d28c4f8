#include "CaptionGap.h"

CaptionGap CaptionGap::find(QStringView caption)
{
    CaptionGap best;
    for (qsizetype i = 0; i < caption.size();) {
        if (caption[i] != u' ') {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < caption.size() && caption[end] == u' ')
            ++end;
        if (end - i > best.runLength)
            best = {int(i), int(end - i)};
        i = end;
    }
    return best.isValid() ? best : CaptionGap{};
}
