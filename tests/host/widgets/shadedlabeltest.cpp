#include "host/widgets/shadedlabel_p.h"

#include <QImage>
#include <gtest/gtest.h>

using host::ShadedLabel;
using host::shadedColumnColour;

namespace {

const QColor kBlack(0, 0, 0);
const QColor kGrey(96, 96, 96);

QColor grey(int level)
{
    return QColor(level, level, level);
}

} // namespace

// Two segments of width / 2, each channel blended on its own from one stop to
// the next; going down the exact value is truncated, and an odd width leaves
// a last column of the final stop.
TEST(ShadedLabel, RampColumnsBlendBetweenTheStops)
{
    using Stops = std::array<QColor, 3>;
    const Stops notice{kBlack, kBlack, kGrey};
    const Stops studio{kGrey, kBlack, kBlack};
    const Stops rgb{QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255)};
    const struct
    {
        const Stops& stops;
        int width, column;
        QColor colour;
    } cases[] = {
        {notice, 176, 0, kBlack}, {notice, 176, 87, kBlack}, {notice, 176, 88, kBlack},
        {notice, 176, 132, grey(48)},  // 44/88 of the way
        {notice, 176, 133, grey(49)},  // 45 × 96 / 88 = 49.09
        {notice, 176, 175, grey(94)},  // the last column stops short of grey
        {notice, 176, 176, kGrey},
        {studio, 190, 0, kGrey}, {studio, 190, 1, grey(94)},  // 96 − 96/95 = 94.99
        {studio, 190, 47, grey(48)},                           // 96 × 48 / 95 = 48.5
        {studio, 190, 94, grey(1)}, {studio, 190, 95, kBlack}, {studio, 190, 189, kBlack},
        {rgb, 10, 2, QColor(153, 102, 0)}, {rgb, 10, 5, QColor(0, 255, 0)}, {rgb, 10, 9, QColor(0, 51, 204)},
        // Width 5: segments of 2, so column 4 is already past both of them.
        {rgb, 5, 3, QColor(0, 127, 127)}, {rgb, 5, 4, QColor(0, 0, 255)},
        // Too narrow for a segment: the final stop, not a division by zero.
        {rgb, 1, 0, QColor(0, 0, 255)}, {rgb, 0, 0, QColor(0, 0, 255)},
    };
    for (const auto& test : cases)
        EXPECT_EQ(shadedColumnColour(test.stops, test.width, test.column), test.colour)
            << test.width << " pixels, column " << test.column;
}

TEST(ShadedLabel, PaintsEveryColumnOfTheRampAndTheCaptionOverIt)
{
    ShadedLabel label;
    label.setRamp(kGrey, kBlack, kBlack);
    label.setText(QStringLiteral("Pelgrin工作室"));
    label.setAlignment(Qt::AlignCenter);
    QPalette colours = label.palette();
    colours.setColor(QPalette::WindowText, Qt::white);
    label.setPalette(colours);
    label.resize(190, 16);

    const QImage image = label.grab().toImage();
    ASSERT_EQ(image.width(), 190);
    // The caption is centred, so the top row and the outer columns show the bare ramp.
    for (int x = 0; x < 190; ++x)
        ASSERT_EQ(image.pixelColor(x, 0), shadedColumnColour(label.ramp(), 190, x)) << x;
    for (int y = 0; y < 16; ++y)
        ASSERT_EQ(image.pixelColor(2, y), shadedColumnColour(label.ramp(), 190, 2)) << y;

    int lightPixels = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 40; x < 150; ++x)
            lightPixels += image.pixelColor(x, y).lightness() > 200 ? 1 : 0;
    }
    EXPECT_GT(lightPixels, 20);
}
