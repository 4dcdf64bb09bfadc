// Writes the images of the program icon as PNG files for the desktop's icon
// theme: for each size in the ICO the image with the most colours, as
// OUTDIR/SIZExSIZE/tikora.png. Run by the build, so the ICO stays the one
// source of the icon.
//   icon_to_png ICO OUTDIR

#include "icoimages.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ICO OUTDIR\n", argv[0]);
        return 2;
    }
    QString error;
    const QMap<int, QImage> best = icon::bestImagesBySize(QString::fromLocal8Bit(argv[1]), &error);
    if (best.isEmpty()) {
        std::fprintf(stderr, "icon_to_png: no image in %s: %s\n", argv[1], qPrintable(error));
        return 1;
    }
    for (auto entry = best.cbegin(); entry != best.cend(); ++entry) {
        const QString folder = QStringLiteral("%1/%2x%2").arg(QString::fromLocal8Bit(argv[2])).arg(entry.key());
        QDir().mkpath(folder);
        if (!entry.value().save(folder + QStringLiteral("/tikora.png"), "PNG"))
            return 1;
    }
    return 0;
}
