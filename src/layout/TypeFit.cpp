#include "TypeFit.h"

namespace {

constexpr int EdgeClearance = 1;

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
