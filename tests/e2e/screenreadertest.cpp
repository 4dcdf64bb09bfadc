// What a screen reader reads of the real program over AT-SPI while an alarm
// rings: the clock's digits, the alarm list's captions and cells, the buttons,
// and the ringing window, an alert, with "时间到！" and the note; then the
// alarm list read as a table, and its popup menu, which it hears of by focus
// events.

#include "accessibilitybus.h"
#include "waiting.h"
#include "programfixture.h"


#include <algorithm>

using namespace std::chrono_literals;

using ScreenReader = ProgramTest;

TEST_F(ScreenReader, ReadsTheClockTheListTheButtonsTheRingingWindowAndTheMenu)
{
    AccessibilityBus bus;
    ASSERT_TRUE(bus.isRunning()) << bus.failure().toStdString();
    ASSERT_NO_FATAL_FAILURE(startWithAlarm(at(7, 4, 50), {"7", "5", QStringLiteral("起床")}, {.environment = bus.environment()}));
    const unsigned long ring = waitForRinging();
    ASSERT_NE(ring, 0UL) << "no ringing window at 07:05";

    // role|name|text, as tree() gives them; the seconds' digits change as it is read. The ringing
    // window is an alert, so that a screen reader speaks its labels as it opens, as for a message box.
    const QStringList expected{
        QStringLiteral("text|时|7"), QStringLiteral("text|分|5"), QStringLiteral("push button|添加闹钟|"),
        QStringLiteral("push button|设置|"), QStringLiteral("column header|闹钟|"), QStringLiteral("column header|备注|"),
        QStringLiteral("cell|7:5|"), QStringLiteral("cell|起床|"), QStringLiteral("alert message|闹钟1|"),
        QStringLiteral("label|时间到！|"), QStringLiteral("text|备注|起床"), QStringLiteral("push button|停止|")};
    QStringList tree;
    testsupport::waitUntil(
        [&] {
            tree = bus.tree();
            return std::all_of(expected.begin(), expected.end(), [&](const QString& line) { return tree.contains(line); });
        },
        10s, 200ms);
    for (const QString& line : expected)
        EXPECT_TRUE(tree.contains(line)) << line.toStdString() << "\nread:\n" << tree.join('\n').toStdString();

    // Stopped, the list takes a second alarm and reads as a table by row and column.
    m_desktop.click(ring, centre::stopButton[0], centre::stopButton[1]);
    ASSERT_TRUE(m_desktop.waitForNoWindow(QStringLiteral("闹钟1")));
    ASSERT_NO_FATAL_FAILURE(addAlarm({"8", "30"}));
    const AccessibilityBus::Table table = bus.table(QStringLiteral("闹钟列表"));
    EXPECT_TRUE(table.interfaces.contains(QStringLiteral("org.a11y.atspi.Table"))) << table.interfaces.join(' ').toStdString();
    EXPECT_EQ(table.rows, 2);
    EXPECT_EQ(table.headers.value(1), QStringLiteral("响铃"));
    EXPECT_EQ(table.cells.value(1).value(0), QStringLiteral("8:30"));

    // The popup menu is out of the tree; its first item is heard as it takes the focus.
    openListMenu(0);
    m_desktop.key({QStringLiteral("Down")});
    const QStringList heard = bus.focused(QStringLiteral("menu item"), 5000);
    EXPECT_EQ(heard.value(0), QStringLiteral("关闭闹钟")) << heard.join('|').toStdString();
    m_desktop.key({QStringLiteral("Escape")});
}
