#include "Twips.h"

#include <algorithm>
#include <cmath>

namespace {

// The largest size a widget can take; far larger lengths are meaningless and
// would overflow the pixel coordinates.
constexpr double PixelLimit = 16777215;

} // namespace

int pixelsToTwips(int pixels)
{
    return pixels * TwipsPerPixel;
}

int twipsToPixels(double twips)
{
    return int(std::round(std::clamp(twips / TwipsPerPixel, -PixelLimit, PixelLimit)));
}
