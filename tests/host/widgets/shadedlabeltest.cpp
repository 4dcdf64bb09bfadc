#include "host/widgets/shadedlabel.h"

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

TEST(ShadedLabel, NoticeFooterRampRunsFromBlackToGreyOnTheRight)
{
    // 176 pixels: two segments of 88, black to black, then black to grey.
    const std::array<QColor, 3> stops{kBlack, kBlack, kGrey};
    EXPECT_EQ(shadedColumnColour(stops, 176, 0), kBlack);
    EXPECT_EQ(shadedColumnColour(stops, 176, 87), kBlack);
    EXPECT_EQ(shadedColumnColour(stops, 176, 88), kBlack);
    EXPECT_EQ(shadedColumnColour(stops, 176, 132), grey(48));  // 44/88 of the way
    EXPECT_EQ(shadedColumnColour(stops, 176, 133), grey(49));  // 45 × 96 / 88 = 49.09
    EXPECT_EQ(shadedColumnColour(stops, 176, 175), grey(94));  // the last column stops short of grey
    EXPECT_EQ(shadedColumnColour(stops, 176, 176), kGrey);
}

TEST(ShadedLabel, StudioFooterRampRunsFromGreyOnTheLeftToBlack)
{
    // 190 pixels: two segments of 95, grey to black, then black to black. Going down, the
    // exact value is truncated: 96 − 96/95 = 94.99 gives 94.
    const std::array<QColor, 3> stops{kGrey, kBlack, kBlack};
    EXPECT_EQ(shadedColumnColour(stops, 190, 0), kGrey);
    EXPECT_EQ(shadedColumnColour(stops, 190, 1), grey(94));
    EXPECT_EQ(shadedColumnColour(stops, 190, 47), grey(48));   // 96 × 48 / 95 = 48.5
    EXPECT_EQ(shadedColumnColour(stops, 190, 94), grey(1));
    EXPECT_EQ(shadedColumnColour(stops, 190, 95), kBlack);
    EXPECT_EQ(shadedColumnColour(stops, 190, 189), kBlack);
}

TEST(ShadedLabel, ChannelsBlendIndependentlyAndOddWidthsLeaveALastColumnOfTheFinalStop)
{
    const std::array<QColor, 3> stops{QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255)};
    EXPECT_EQ(shadedColumnColour(stops, 10, 2), QColor(153, 102, 0));
    EXPECT_EQ(shadedColumnColour(stops, 10, 5), QColor(0, 255, 0));
    EXPECT_EQ(shadedColumnColour(stops, 10, 9), QColor(0, 51, 204));
    // Width 5: segments of 2, so column 4 is already past both of them.
    EXPECT_EQ(shadedColumnColour(stops, 5, 3), QColor(0, 127, 127));
    EXPECT_EQ(shadedColumnColour(stops, 5, 4), QColor(0, 0, 255));
    // Too narrow for a segment: the final stop, not a division by zero.
    EXPECT_EQ(shadedColumnColour(stops, 1, 0), QColor(0, 0, 255));
    EXPECT_EQ(shadedColumnColour(stops, 0, 0), QColor(0, 0, 255));
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
