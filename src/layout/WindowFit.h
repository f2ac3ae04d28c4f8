#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

// Where a window opens: at its design client size when that, with the
// window's frame, fits the screen's available area; otherwise at the largest
// size that fits, horizontally and vertically apart. Either way the framed
// window is centred in the area. The result is the client area's geometry.
QRect fittedWindow(QSize design, QMargins frame, QRect available);

// Whether a window that cannot learn the space it has (on Wayland a client
// can neither place itself nor read the panels' sizes: the available area is
// the whole screen) opens maximized instead, its proportional layout filling
// what the compositor gives it: when its design size, with room for a title
// bar and a panel, does not fit the screen. A window that can learn its
// space fits itself (fittedWindow()) and never needs to.
bool opensMaximized(QSize design, QSize screen, bool learnsItsSpace);

// The room a window of a compositor that tells nothing leaves for a title
// bar and a panel, in device-independent pixels.
inline constexpr int UnknownFrameAndPanel = 96;
