#include "host/widgets/spinarrows_p.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using host::SpinArrows;

namespace {

class SpinArrowsTest : public testing::Test
{
protected:
    SpinArrowsTest()
    {
        spin.resize(17, 24);
        spin.show();
    }

    /// The button under a point of the control, as the mouse would find it.
    QWidget* buttonAt(int y) { return spin.childAt(spin.width() / 2, y); }

    static QList<int> steps(const QSignalSpy& spy)
    {
        QList<int> values;
        for (const QList<QVariant>& arguments : spy)
            values.append(arguments.at(0).toInt());
        return values;
    }

    SpinArrows spin;
};

} // namespace

TEST_F(SpinArrowsTest, UpperArrowStepsUpAndLowerArrowStepsDownAtThePress)
{
    QSignalSpy spy(&spin, &SpinArrows::stepped);
    QWidget* up = buttonAt(2);
    QWidget* down = buttonAt(spin.height() - 3);
    ASSERT_NE(up, nullptr);
    ASSERT_NE(down, nullptr);
    ASSERT_NE(up, down);

    QTest::mousePress(up, Qt::LeftButton, {}, up->rect().center());
    EXPECT_EQ(steps(spy), QList<int>{1}); // before the release
    QTest::mouseRelease(up, Qt::LeftButton, {}, up->rect().center());
    QTest::mouseClick(down, Qt::LeftButton, {}, down->rect().center());
    QTest::mouseClick(down, Qt::LeftButton, {}, down->rect().center());
    EXPECT_EQ(steps(spy), (QList<int>{1, -1, -1}));
}

TEST_F(SpinArrowsTest, HoldingAnArrowRepeatsItsStepUntilReleased)
{
    QSignalSpy spy(&spin, &SpinArrows::stepped);
    QWidget* down = buttonAt(spin.height() - 3);
    QTest::mousePress(down, Qt::LeftButton, {}, down->rect().center());
    QTest::qWait(900);
    QTest::mouseRelease(down, Qt::LeftButton, {}, down->rect().center());
    const QList<int> held = steps(spy);
    EXPECT_GE(held.size(), 3);
    EXPECT_EQ(held.count(-1), held.size());

    QTest::qWait(300);
    EXPECT_EQ(spy.size(), held.size()); // nothing more once the button is up
}
