#include "icoimages.h"

#include <QImageReader>

namespace icon {

QMap<int, QImage> bestImagesBySize(const QString& path, QString* error)
{
    QImageReader reader(path, "ico");
    QMap<int, QImage> best;
    QMap<int, int> bestDepth;
    do {
        const QImage image = reader.read();
        if (image.isNull())
            break;
        // Qt's ICO reader hands every image over at 32 bits; it notes the
        // depth the image had in the file.
        const int depth = image.text(QStringLiteral("_q_icoOrigDepth")).toInt();
        const int size = image.width();
        if (!best.contains(size) || depth > bestDepth[size]) {
            best[size] = image.convertToFormat(QImage::Format_ARGB32);
            bestDepth[size] = depth;
        }
    } while (reader.jumpToNextImage());
    if (best.isEmpty() && error)
        *error = reader.errorString();
    return best;
}

} // namespace icon
