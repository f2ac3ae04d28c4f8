#pragma once

// Whether glyphs whose ink reaches `inkAbove` pixels above the baseline and
// `inkBelow` pixels below it show whole, a pixel clear of either edge, in a
// one-line text box with `room` pixels of height, which centres a line of
// `lineHeight` pixels whose baseline lies `ascent` pixels below its top
// (rounding as the box does).
bool inkFitsCentredLine(int room, int lineHeight, int ascent, int inkAbove, int inkBelow);
