#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

// Where a window opens: at its design client size when that, with the
// window's frame, fits the screen's available area; otherwise at the largest
// size that fits, horizontally and vertically apart. Either way the framed
// window is centred in the area. The result is the client area's geometry.
QRect fittedWindow(QSize design, QMargins frame, QRect available);
