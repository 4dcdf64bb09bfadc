// Writes the program icon's images as a C++ source of raw pixels that
// registers them as the window icon of the ICO's resource, so that the program
// shows its icon without decoding the ICO at start (no image reader, no format
// plugin, no decoded copies in memory). Run by the build, so the ICO stays the
// one source of the icon.
//   icon_to_pixels ICO RESOURCE OUTPUT.cpp
// The images are the ICO's sizes, each with the most colours it is stored
// with, and 24 × 24, which panels use and the ICO lacks, halved from 48 × 48.

#include "icoimages.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int kHalvedFrom = 48;
constexpr int kPixelsPerLine = 8;

void writeSource(QTextStream& out, const QMap<int, QImage>& images, const QString& icoName, const QString& resource)
{
    out << "// Generated from " << icoName << " by icon_to_pixels; do not edit.\n"
        << "#include \"host/embedded/windowicon.h\"\n\n#include <cstdint>\n\nnamespace {\n\n"
        << "// The images one after another, each row after row, as 0xAARRGGBB.\n"
        << "alignas(4096) const std::uint32_t pixels[] = {\n";
    QStringList table;
    qsizetype offset = 0;
    for (auto entry = images.cbegin(); entry != images.cend(); ++entry) {
        const QImage& image = entry.value();
        out << "// " << entry.key() << " x " << entry.key() << "\n";
        int column = 0;
        for (int y = 0; y < image.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                out << QStringLiteral("0x%1,").arg(row[x], 8, 16, QLatin1Char('0'));
                out << (++column % kPixelsPerLine == 0 ? "\n" : " ");
            }
        }
        if (column % kPixelsPerLine != 0)
            out << "\n";
        table << QStringLiteral("    {%1, pixels + %2},").arg(entry.key()).arg(offset);
        offset += qsizetype(image.width()) * image.height();
    }
    out << "};\n\nconst host::IconImage images[] = {\n" << table.join(QLatin1Char('\n')) << "\n};\n\n"
        << "[[maybe_unused]] const bool registered = host::registerWindowIcon(\"" << resource << "\", images);\n\n"
        << "} // namespace\n";
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s ICO RESOURCE OUTPUT.cpp\n", argv[0]);
        return 2;
    }
    const QString icoPath = QString::fromLocal8Bit(argv[1]);
    QString error;
    QMap<int, QImage> images = icon::bestImagesBySize(icoPath, &error);
    if (!images.contains(kHalvedFrom)) {
        std::fprintf(stderr, "icon_to_pixels: no %d x %d image in %s %s\n", kHalvedFrom, kHalvedFrom, argv[1],
                     qPrintable(error));
        return 1;
    }
    const int half = kHalvedFrom / 2;
    if (!images.contains(half))
        images[half] = images[kHalvedFrom]
                           .scaled(half, half, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                           .convertToFormat(QImage::Format_ARGB32);

    const QString outputPath = QString::fromLocal8Bit(argv[3]);
    QFile output(outputPath + QStringLiteral(".tmp"));
    if (!output.open(QIODevice::WriteOnly | QIODevice::Text)) {
        std::fprintf(stderr, "icon_to_pixels: cannot write %s\n", qPrintable(output.fileName()));
        return 1;
    }
    QTextStream out(&output);
    writeSource(out, images, QFileInfo(icoPath).fileName(), QString::fromLocal8Bit(argv[2]));
    out.flush();
    output.close();
    QFile::remove(outputPath);
    return output.rename(outputPath) ? 0 : 1;
}
