#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>

namespace icon {

/// Builds an ICO file of uncompressed bitmaps: each image is a BITMAPINFOHEADER with the
/// height doubled, a palette for 1, 4 and 8 bits per pixel, the colour rows and then the
/// one-bit AND mask, bottom row first, every row padded to four bytes.
class IcoWriter final
{
public:
    /// Adds a 32-bit image with its alpha channel; the mask hides pixels below kOpaqueAlpha.
    void addTrueColour(const QImage& image);
    /// Adds a palette image of 1, 4 or 8 bits per pixel. Opaque pixels take the nearest palette
    /// entry, transparent ones entry 0 (which should be black) and a set mask bit. The palette
    /// is padded with black to 2, 16 or 256 entries.
    void addIndexed(const QImage& image, const QList<QRgb>& palette, int bitsPerPixel);

    /// The whole file: header, directory and images in the order they were added.
    QByteArray toBytes() const;

private:
    struct Entry
    {
        int width = 0;
        int height = 0;
        int bitsPerPixel = 0;
        int paletteSize = 0;
        QByteArray bitmap;
    };

    QList<Entry> m_entries;
};

} // namespace icon
