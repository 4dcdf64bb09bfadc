#pragma once

#include <QImage>

namespace icon {

/// How the clock is coloured: shaded with gradients, in flat colours (few enough for a
/// sixteen-colour palette), or in black and white for the one-bit image.
enum class Scheme { Shaded, Flat, Monochrome };

/// Draws the program's alarm clock into a square transparent image of the given size.
/// Colour drawings are anti-aliased; monochrome ones are not, so each pixel is plainly on or off.
QImage drawAlarmClock(int size, Scheme scheme);

} // namespace icon
