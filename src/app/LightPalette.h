#pragma once

#include <QPalette>

// The form's own colours: dark text on light grey, white boxes, blue
// selection. Built here, whatever the desktop: under a desktop theme the
// style's standard palette is the theme's own, a dark one under a dark theme.
QPalette lightPalette();
