#pragma once

// Lengths on the window are reckoned in twips, 1/1440 inch. The screen is
// taken at 96 dots per inch, which makes 15 twips to the pixel.
constexpr int TwipsPerPixel = 15;

// A length in pixels as twips; exact.
int pixelsToTwips(int pixels);

// A length in twips as the nearest whole number of pixels, halves rounded
// away from zero, kept within the sizes a widget can take.
int twipsToPixels(double twips);
