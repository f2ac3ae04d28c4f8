#pragma once

// How large type may be where a control is smaller than its words need. The
// form keeps its own type size whatever the desktop's; where the window
// makes a control too small for its words, the control's type shrinks as far
// as they need to stay whole, and no further.

// The form's type size, in points: the size its design was drawn for, at
// which every caption fits its control at the design size.
inline constexpr double FormPointSize = 9;

// Whether glyphs whose ink reaches `inkAbove` pixels above the baseline and
// `inkBelow` pixels below it show whole, a pixel clear of either edge, in a
// one-line text box with `room` pixels of height, which centres a line of
// `lineHeight` pixels whose baseline lies `ascent` pixels below its top
// (rounding as the box does).
bool inkFitsCentredLine(int room, int lineHeight, int ascent, int inkAbove, int inkBelow);

// What one line of words needs at one type size, in pixels, as the font's
// metrics measure it.
struct LineMeasure
{
    int advance = 0; // the width the words take
    int lineHeight = 0;
    int ascent = 0;
    int inkAbove = 0; // how far the ink reaches above the baseline
    int inkBelow = 0; // and below it, the baseline's own row included
};

// Whether a line fits a room of `width` x `height` pixels that centres it
// vertically: its words within the width, its ink whole.
bool lineFits(const LineMeasure &line, int width, int height);

// A caption that leaves a run of spaces for controls to sit in: where the
// words after the run start, from the left of the caption's room. They keep
// their place after the run, or start a little past the controls in it,
// whichever is further, so that the controls never hide them.
int gapSuffixStart(int naturalStart, int occupantsRight);

// Whether such a caption fits a room of `width` x `height` pixels: its ink
// whole, the words before the run ending short of the controls in it, and
// the words after it within the width. `line` measures the whole caption,
// `prefix` and `suffix` the words before and after the run, `naturalStart`
// where those after it start at their place; the controls in the run span
// `occupantsLeft` to `occupantsRight`, in the same coordinates.
bool gapCaptionFits(const LineMeasure &line, int prefix, int naturalStart, int suffix, int width,
                    int height, int occupantsLeft, int occupantsRight);

// Type sizes are tried in quarter points.
inline constexpr int QuartersPerPoint = 4;

// The largest type size, in quarter points from one up to `design`, for
// which `fits(quarters)` holds: `design` when it fits, one when nothing does.
// `fits` must hold for every size below one it holds for. Below the design
// size, the search starts at `start`, the size that fitted last, and goes up
// or down from it in doubling steps, then halves the last step: a size near
// the last one is found in a few tries.
template <typename Fits> int largestFittingQuarters(int design, int start, Fits fits)
{
    if (fits(design))
        return design;
    start = start < 1 ? 1 : start >= design ? design - 1 : start;
    int low = 0, high = design; // fits(low) holds, fits(high) does not
    if (fits(start)) {
        low = start;
        for (int step = 1; low + step < design; step *= 2) {
            if (!fits(low + step)) {
                high = low + step;
                break;
            }
            low += step;
        }
    } else {
        high = start;
        for (int step = 1; high - step >= 1; step *= 2) {
            if (fits(high - step)) {
                low = high - step;
                break;
            }
            high -= step;
        }
    }
    while (high - low > 1) {
        const int middle = (low + high) / 2;
        (fits(middle) ? low : high) = middle;
    }
    return low < 1 ? 1 : low;
}
