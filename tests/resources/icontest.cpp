#include "host/embedded/windowicon_p.h"

#include <QBuffer>
#include <QFile>
#include <QIcon>
#include <QImageReader>
#include <QtEndian>
#include <gtest/gtest.h>

#include <array>

namespace {

constexpr qsizetype kIconBytes = 92102;

struct ExpectedImage
{
    int size;
    int bitsPerPixel;
};

// The images the window manager and task bar pick from, in the order the file lists them.
constexpr std::array<ExpectedImage, 9> kExpectedImages{{
    {32, 1}, {48, 4}, {48, 8}, {32, 8}, {16, 8}, {128, 32}, {48, 32}, {32, 32}, {16, 32},
}};

QByteArray embeddedIcon()
{
    QFile file(QStringLiteral(":/tikora.ico"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

int read16(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

qint64 read32(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

int paddedRowBytes(int width, int bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

QList<QImage> decodedImages()
{
    QByteArray icon = embeddedIcon();
    QBuffer buffer(&icon);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    QList<QImage> images;
    for (int index = 0; index < reader.imageCount() && reader.jumpToImage(index); ++index)
        images.append(reader.read().convertToFormat(QImage::Format_ARGB32));
    return images;
}

/// Mean distance per channel between the colours of two images of one size, over the pixels
/// both show.
double meanColourDistance(const QImage& a, const QImage& b)
{
    qint64 total = 0;
    qint64 pixels = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (qAlpha(p) < 255 || qAlpha(q) < 255)
                continue;
            total += qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q));
            ++pixels;
        }
    }
    return pixels == 0 ? 255.0 : double(total) / (3.0 * double(pixels));
}

} // namespace

TEST(ProgramIcon, IsEmbeddedWithItsFullSize)
{
    EXPECT_EQ(embeddedIcon().size(), kIconBytes);
}

TEST(ProgramIcon, DirectoryListsNineUncompressedBitmapsLaidOutBackToBack)
{
    const QByteArray icon = embeddedIcon();
    ASSERT_EQ(icon.size(), kIconBytes);
    EXPECT_EQ(read16(icon, 0), 0);
    EXPECT_EQ(read16(icon, 2), 1); // an icon, not a cursor
    ASSERT_EQ(read16(icon, 4), int(kExpectedImages.size()));

    qint64 expectedOffset = 6 + 16 * qint64(kExpectedImages.size());
    for (std::size_t index = 0; index < kExpectedImages.size(); ++index) {
        SCOPED_TRACE(testing::Message() << "image " << index);
        const auto [size, bits] = kExpectedImages[index];
        const qsizetype entry = 6 + 16 * qsizetype(index);
        EXPECT_EQ(quint8(icon[entry]), size);
        EXPECT_EQ(quint8(icon[entry + 1]), size);
        EXPECT_EQ(quint8(icon[entry + 2]), bits < 8 ? 1 << bits : 0); // palette entries, 256 written as 0
        EXPECT_EQ(read16(icon, entry + 6), bits);

        const int paletteEntries = bits <= 8 ? 1 << bits : 0;
        const qint64 expectedBytes = 40 + 4 * paletteEntries
                                   + qint64(paddedRowBytes(size, bits) + paddedRowBytes(size, 1)) * size;
        const qint64 bytes = read32(icon, entry + 8);
        const qint64 offset = read32(icon, entry + 12);
        EXPECT_EQ(bytes, expectedBytes);
        ASSERT_EQ(offset, expectedOffset);

        // The bitmap's own header: colour rows and mask rows make up twice the height.
        EXPECT_EQ(read32(icon, offset), 40);
        EXPECT_EQ(read32(icon, offset + 4), size);
        EXPECT_EQ(read32(icon, offset + 8), 2 * size);
        EXPECT_EQ(read16(icon, offset + 12), 1);
        EXPECT_EQ(read16(icon, offset + 14), bits);
        EXPECT_EQ(read32(icon, offset + 16), 0); // uncompressed
        expectedOffset += bytes;
    }
    EXPECT_EQ(expectedOffset, kIconBytes);
}

TEST(ProgramIcon, QtDecodesEveryImageWithTransparentCornersAndAnOpaqueFace)
{
    QByteArray icon = embeddedIcon();
    QBuffer buffer(&icon);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    QImageReader reader(&buffer, "ico");
    ASSERT_EQ(reader.imageCount(), int(kExpectedImages.size()));
    for (std::size_t index = 0; index < kExpectedImages.size(); ++index) {
        SCOPED_TRACE(testing::Message() << "image " << index);
        ASSERT_TRUE(reader.jumpToImage(int(index)));
        const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
        const int size = kExpectedImages[index].size;
        ASSERT_EQ(image.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(image.pixel(0, size - 1)), 0);
        EXPECT_EQ(qAlpha(image.pixel(size - 1, size - 1)), 0);
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255);
        // The face is light and the rim around it is not, at every depth.
        EXPECT_GT(qGray(image.pixel(size / 2 - size / 8, size / 2 + size / 8)), 200);
    }

    const QIcon windowIcon(QStringLiteral(":/tikora.ico"));
    const QList<QSize> sizes = windowIcon.availableSizes();
    for (const int size : {16, 32, 48, 128})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
}

TEST(ProgramIcon, PaletteImagesShowTheSamePictureAsTheTrueColourOnes)
{
    const QList<QImage> images = decodedImages();
    ASSERT_EQ(images.size(), qsizetype(kExpectedImages.size()));
    // Indexes into kExpectedImages: each palette image and the 32-bit image of its size.
    EXPECT_LT(meanColourDistance(images[2], images[6]), 3.0) << "48 x 48, 8 bits";
    EXPECT_LT(meanColourDistance(images[3], images[7]), 3.0) << "32 x 32, 8 bits";
    EXPECT_LT(meanColourDistance(images[4], images[8]), 3.0) << "16 x 16, 8 bits";
    EXPECT_LT(meanColourDistance(images[1], images[6]), 15.0) << "48 x 48, 4 bits, flat colours";

    // The one-bit image is black and white; its dark pixels are where the colour image is dark.
    const QImage& mono = images[0];
    const QImage& colour = images[7];
    int agreeing = 0;
    int opaque = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb pixel = mono.pixel(x, y);
            if (qAlpha(pixel) == 0 || qAlpha(colour.pixel(x, y)) < 255)
                continue;
            ASSERT_TRUE(pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255)) << x << "," << y;
            ++opaque;
            agreeing += (qGray(pixel) > 128) == (qGray(colour.pixel(x, y)) > 128) ? 1 : 0;
        }
    }
    EXPECT_GT(opaque, 300);
    EXPECT_GT(agreeing, opaque * 3 / 4);
}

TEST(ProgramIcon, WindowShowsTheTrueColourImagesDecodedAtBuildTimeAndAHalvedOne)
{
    const QIcon icon = host::detail::loadWindowIcon(":/tikora.ico");
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_EQ(sizes, (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}, {128, 128}}));

    const QList<QImage> images = decodedImages();
    ASSERT_EQ(images.size(), qsizetype(kExpectedImages.size()));
    auto shown = [&icon](int size) { return icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32); };
    // Indexes into kExpectedImages of the 32-bit images.
    for (const std::size_t index : {5, 6, 7, 8}) {
        const int size = kExpectedImages[index].size;
        EXPECT_TRUE(shown(size) == images[index]) << size;
    }
    const QImage halved = images[6].scaled(24, 24, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LT(meanColourDistance(shown(24), halved.convertToFormat(QImage::Format_ARGB32)), 3.0);
}
