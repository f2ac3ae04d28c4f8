#include "TypeFit.h"

#include <algorithm>

namespace {

constexpr int EdgeClearance = 1;

// Room kept between the controls in a caption's run and the words after it.
constexpr int GapMargin = 4;

} // namespace

bool inkFitsCentredLine(int room, int lineHeight, int ascent, int inkAbove, int inkBelow)
{
    // Integer division truncates towards zero, as the box's own arithmetic
    // does when the line is taller than the room. The ink keeps a pixel
    // clear at either edge: the glyphs are drawn at fractional positions and
    // smoothed, so their edges can spread into the next pixel.
    const int baseline = (room - lineHeight + 1) / 2 + ascent;
    return baseline - inkAbove >= EdgeClearance && baseline + inkBelow <= room - EdgeClearance;
}

bool lineFits(const LineMeasure &line, int width, int height)
{
    return line.advance <= width &&
           inkFitsCentredLine(height, line.lineHeight, line.ascent, line.inkAbove, line.inkBelow);
}

int gapSuffixStart(int naturalStart, int occupantsRight)
{
    return std::max(naturalStart, occupantsRight + GapMargin);
}

bool gapCaptionFits(const LineMeasure &line, int prefix, int naturalStart, int suffix, int width,
                    int height, int occupantsLeft, int occupantsRight)
{
    return prefix + EdgeClearance <= occupantsLeft &&
           gapSuffixStart(naturalStart, occupantsRight) + suffix <= width &&
           inkFitsCentredLine(height, line.lineHeight, line.ascent, line.inkAbove, line.inkBelow);
}
