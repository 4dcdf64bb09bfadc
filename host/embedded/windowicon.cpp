#include "host/embedded/windowicon.h"

#include "host/embedded/mappedpages.h"
#include "host/embedded/windowicon_p.h"

#include <QImage>
#include <QPixmap>
#include <QResource>
#include <QString>

#include <map>
#include <string>
#include <vector>

namespace host {
namespace {

std::map<std::string, std::vector<IconImage>, std::less<>>& registeredIcons()
{
    static std::map<std::string, std::vector<IconImage>, std::less<>> icons;
    return icons;
}

} // namespace

bool registerWindowIcon(std::string_view resource, std::span<const IconImage> images)
{
    registeredIcons()[std::string(resource)].assign(images.begin(), images.end());
    return true;
}

namespace detail {

QIcon loadWindowIcon(const std::string& resource)
{
    const auto found = registeredIcons().find(resource);
    if (found == registeredIcons().end())
        return QIcon(QString::fromStdString(resource));
    QIcon icon;
    for (const IconImage& image : found->second) {
        // An image over the program file's bytes; the pixmap shares them, as
        // it keeps the image's format.
        const QImage pixels(reinterpret_cast<const uchar*>(image.pixels), image.size, image.size,
                            image.size * int(sizeof(std::uint32_t)), QImage::Format_ARGB32);
        icon.addPixmap(QPixmap::fromImage(pixels, Qt::NoFormatConversion));
    }
    return icon;
}

void releaseWindowIconPixels(const std::string& resource)
{
    const auto found = registeredIcons().find(resource);
    if (found == registeredIcons().end() || found->second.empty())
        return;
    // Nothing reads the icon file itself, which lies beside the pixels in the
    // program file; its pages go too, or the system, which maps the pages
    // around each one it reads in, would bring them back with their neighbours.
    if (const QResource stored(QString::fromStdString(resource));
        stored.isValid() && stored.compressionAlgorithm() == QResource::NoCompression)
        releaseMappedPages(stored.data(), std::size_t(stored.size()));
    const IconImage& last = found->second.back();
    const std::uint32_t* end = last.pixels + std::size_t(last.size) * std::size_t(last.size);
    const std::uint32_t* start = found->second.front().pixels;
    releaseMappedPages(start, std::size_t(end - start) * sizeof(std::uint32_t));
}

} // namespace detail
} // namespace host
