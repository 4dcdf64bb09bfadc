#pragma once

// Reading the program icon back at build time, for the files made from it.

#include <QImage>
#include <QMap>
#include <QString>

namespace icon {

/// The images of the ICO file at `path` by size, for each size the one stored
/// with the most bits per pixel, as ARGB32. Empty, with `error` set, when the
/// file holds no image Qt can read.
QMap<int, QImage> bestImagesBySize(const QString& path, QString* error);

} // namespace icon
