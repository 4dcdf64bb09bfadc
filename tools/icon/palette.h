#pragma once

#include <QImage>
#include <QList>
#include <QRgb>

namespace icon {

/// Pixels with at least this alpha are opaque in the palette images and in every mask.
constexpr int kOpaqueAlpha = 128;

/// A palette for the opaque pixels of `image` (any 32-bit format), at most `size` entries.
/// Entry 0 is always black, the colour transparent pixels must carry in an icon; the rest
/// come from a median cut over the image's colours, so gradients keep their most used shades.
QList<QRgb> medianCutPalette(const QImage& image, int size);

/// The index of the palette entry nearest to `colour` (squared RGB distance).
int nearestIndex(const QList<QRgb>& palette, QRgb colour);

} // namespace icon
