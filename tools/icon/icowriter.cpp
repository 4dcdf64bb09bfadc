#include "icowriter.h"

#include "palette.h"

#include <QtEndian>

namespace icon {

namespace {

constexpr int kFileHeaderSize = 6;
constexpr int kDirectoryEntrySize = 16;
constexpr int kInfoHeaderSize = 40;

void appendLittle16(QByteArray& bytes, int value)
{
    char buffer[2];
    qToLittleEndian<quint16>(quint16(value), buffer);
    bytes.append(buffer, 2);
}

void appendLittle32(QByteArray& bytes, quint32 value)
{
    char buffer[4];
    qToLittleEndian<quint32>(value, buffer);
    bytes.append(buffer, 4);
}

int paddedRowBytes(int width, int bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

void appendInfoHeader(QByteArray& bytes, int width, int height, int bitsPerPixel)
{
    const int imageBytes = (paddedRowBytes(width, bitsPerPixel) + paddedRowBytes(width, 1)) * height;
    appendLittle32(bytes, kInfoHeaderSize);
    appendLittle32(bytes, quint32(width));
    appendLittle32(bytes, quint32(height * 2)); // colour rows and mask rows together
    appendLittle16(bytes, 1);                   // planes
    appendLittle16(bytes, bitsPerPixel);
    appendLittle32(bytes, 0); // uncompressed
    appendLittle32(bytes, quint32(imageBytes));
    appendLittle32(bytes, 0); // horizontal resolution
    appendLittle32(bytes, 0); // vertical resolution
    appendLittle32(bytes, 0); // colours used: all the palette holds
    appendLittle32(bytes, 0); // colours important: all
}

/// The AND mask: a set bit leaves the screen pixel as it was.
void appendMask(QByteArray& bytes, const QImage& straight)
{
    const int rowBytes = paddedRowBytes(straight.width(), 1);
    for (int y = straight.height() - 1; y >= 0; --y) {
        QByteArray row(rowBytes, '\0');
        const auto* line = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        for (int x = 0; x < straight.width(); ++x) {
            if (qAlpha(line[x]) < kOpaqueAlpha)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        bytes.append(row);
    }
}

} // namespace

void IcoWriter::addTrueColour(const QImage& image)
{
    const QImage straight = image.convertToFormat(QImage::Format_ARGB32);
    Entry entry{straight.width(), straight.height(), 32, 0, {}};
    appendInfoHeader(entry.bitmap, entry.width, entry.height, 32);
    for (int y = straight.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        for (int x = 0; x < straight.width(); ++x) {
            // Fully transparent pixels are written as zero so that they carry no stray colour.
            const QRgb pixel = qAlpha(line[x]) == 0 ? 0 : line[x];
            entry.bitmap.append(char(qBlue(pixel)));
            entry.bitmap.append(char(qGreen(pixel)));
            entry.bitmap.append(char(qRed(pixel)));
            entry.bitmap.append(char(qAlpha(pixel)));
        }
    }
    appendMask(entry.bitmap, straight);
    m_entries.append(std::move(entry));
}

void IcoWriter::addIndexed(const QImage& image, const QList<QRgb>& palette, int bitsPerPixel)
{
    Q_ASSERT(bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8);
    const int paletteSize = 1 << bitsPerPixel;
    Q_ASSERT(palette.size() <= paletteSize);
    const QImage straight = image.convertToFormat(QImage::Format_ARGB32);
    Entry entry{straight.width(), straight.height(), bitsPerPixel, paletteSize, {}};
    appendInfoHeader(entry.bitmap, entry.width, entry.height, bitsPerPixel);
    for (int index = 0; index < paletteSize; ++index) {
        const QRgb colour = index < palette.size() ? palette[index] : qRgb(0, 0, 0);
        entry.bitmap.append(char(qBlue(colour)));
        entry.bitmap.append(char(qGreen(colour)));
        entry.bitmap.append(char(qRed(colour)));
        entry.bitmap.append('\0');
    }
    const int rowBytes = paddedRowBytes(entry.width, bitsPerPixel);
    const int pixelsPerByte = 8 / bitsPerPixel;
    for (int y = straight.height() - 1; y >= 0; --y) {
        QByteArray row(rowBytes, '\0');
        const auto* line = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        for (int x = 0; x < straight.width(); ++x) {
            const int index = qAlpha(line[x]) < kOpaqueAlpha ? 0 : nearestIndex(palette, line[x]);
            const int shift = (pixelsPerByte - 1 - x % pixelsPerByte) * bitsPerPixel;
            row[x / pixelsPerByte] = char(row[x / pixelsPerByte] | (index << shift));
        }
        entry.bitmap.append(row);
    }
    appendMask(entry.bitmap, straight);
    m_entries.append(std::move(entry));
}

QByteArray IcoWriter::toBytes() const
{
    QByteArray bytes;
    appendLittle16(bytes, 0); // reserved
    appendLittle16(bytes, 1); // resource type: icon
    appendLittle16(bytes, int(m_entries.size()));

    quint32 offset = kFileHeaderSize + kDirectoryEntrySize * quint32(m_entries.size());
    for (const Entry& entry : m_entries) {
        bytes.append(char(entry.width & 0xff)); // 256 is written as 0
        bytes.append(char(entry.height & 0xff));
        bytes.append(char(entry.paletteSize & 0xff)); // 256 colours are written as 0
        bytes.append('\0');
        appendLittle16(bytes, 1); // planes
        appendLittle16(bytes, entry.bitsPerPixel);
        appendLittle32(bytes, quint32(entry.bitmap.size()));
        appendLittle32(bytes, offset);
        offset += quint32(entry.bitmap.size());
    }
    for (const Entry& entry : m_entries)
        bytes.append(entry.bitmap);
    return bytes;
}

} // namespace icon
