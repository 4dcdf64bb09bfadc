#include "palette.h"

#include <algorithm>
#include <array>
#include <map>

namespace icon {

namespace {

struct Shade
{
    std::array<int, 3> channels{};
    qsizetype count = 0;
};

using Box = QList<Shade>;

int channelSpread(const Box& box, int channel)
{
    const auto [low, high] = std::minmax_element(box.begin(), box.end(), [channel](const Shade& a, const Shade& b) {
        return a.channels[channel] < b.channels[channel];
    });
    return high->channels[channel] - low->channels[channel];
}

int widestChannel(const Box& box)
{
    int widest = 0;
    for (int channel = 1; channel < 3; ++channel) {
        if (channelSpread(box, channel) > channelSpread(box, widest))
            widest = channel;
    }
    return widest;
}

/// Splits the box at the pixel-weighted median of its widest channel.
std::pair<Box, Box> split(Box box)
{
    const int channel = widestChannel(box);
    std::sort(box.begin(), box.end(), [channel](const Shade& a, const Shade& b) {
        return a.channels[channel] < b.channels[channel];
    });
    qsizetype total = 0;
    for (const Shade& shade : box)
        total += shade.count;
    qsizetype seen = 0;
    qsizetype cut = 1;
    for (; cut < box.size() - 1; ++cut) {
        seen += box[cut - 1].count;
        if (seen * 2 >= total)
            break;
    }
    return {box.first(cut), box.sliced(cut)};
}

QRgb average(const Box& box)
{
    std::array<qint64, 3> sums{};
    qint64 total = 0;
    for (const Shade& shade : box) {
        for (int channel = 0; channel < 3; ++channel)
            sums[channel] += qint64(shade.channels[channel]) * shade.count;
        total += shade.count;
    }
    return qRgb(int((sums[0] + total / 2) / total), int((sums[1] + total / 2) / total),
                int((sums[2] + total / 2) / total));
}

} // namespace

QList<QRgb> medianCutPalette(const QImage& image, int size)
{
    const QImage straight = image.convertToFormat(QImage::Format_ARGB32);
    std::map<QRgb, qsizetype> counts;
    for (int y = 0; y < straight.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        for (int x = 0; x < straight.width(); ++x) {
            if (qAlpha(line[x]) >= kOpaqueAlpha)
                ++counts[line[x] | 0xff000000u];
        }
    }

    QList<QRgb> palette{qRgb(0, 0, 0)};
    if (counts.empty())
        return palette;

    Box all;
    for (const auto& [colour, count] : counts)
        all.append({{qRed(colour), qGreen(colour), qBlue(colour)}, count});

    QList<Box> boxes{all};
    while (boxes.size() < size - 1) {
        // Split the box whose colours spread furthest; stop once every box is a single colour.
        auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
            return (a.size() > 1 ? channelSpread(a, widestChannel(a)) : -1)
                 < (b.size() > 1 ? channelSpread(b, widestChannel(b)) : -1);
        });
        if (widest->size() < 2)
            break;
        auto [low, high] = split(*widest);
        *widest = std::move(low);
        boxes.append(std::move(high));
    }
    for (const Box& box : boxes)
        palette.append(average(box));
    return palette;
}

int nearestIndex(const QList<QRgb>& palette, QRgb colour)
{
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int index = 0; index < palette.size(); ++index) {
        const int red = qRed(palette[index]) - qRed(colour);
        const int green = qGreen(palette[index]) - qGreen(colour);
        const int blue = qBlue(palette[index]) - qBlue(colour);
        const int distance = red * red + green * green + blue * blue;
        if (distance < bestDistance) {
            best = index;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace icon
