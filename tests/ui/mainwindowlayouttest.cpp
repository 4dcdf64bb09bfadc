#include "host/runtime/runtime.h"
#include "host/widgets/reportlist_p.h"
#include "programwindows.h"
#include "testwindows.h"
#include "ui/main/mainwindowlayout.h"
#include "ui/main/settingswindowlayout.h"
#include "unitdriver.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using namespace host;
using testwindows::rectOf;

namespace {

using MainWindowLayout = ProgramWindows;

} // namespace

TEST_F(MainWindowLayout, WindowIsCentredFixedAndNamed)
{
    QWidget* window = drive::widgetOf(MainWindow::window);
    EXPECT_EQ(readProperty(MainWindow::window, prop::caption).toText(), " Tikora~闹钟  1.0"_t);
    EXPECT_EQ(readProperty(MainWindow::window, prop::width).toInt(), 380);
    EXPECT_EQ(readProperty(MainWindow::window, prop::height).toInt(), 215);
    EXPECT_EQ(window->size(), QSize(374, 183));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());  // not resizable

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(readProperty(MainWindow::window, prop::left).toInt(), (screen.width() - 380) / 2);
    EXPECT_EQ(readProperty(MainWindow::window, prop::top).toInt(), (screen.height() - 215) / 2);

    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(MainWindowLayout, ClockFaceStartsAtZero)
{
    EXPECT_EQ(readProperty(MainWindow::编辑框1, prop::content).toText(), "00"_t);
    EXPECT_EQ(readProperty(MainWindow::标签1, prop::caption).toText(), "："_t);
    EXPECT_EQ(readProperty(MainWindow::编辑框2, prop::content).toText(), "00"_t);
    EXPECT_EQ(readProperty(MainWindow::标签2, prop::caption).toText(), "："_t);
    EXPECT_EQ(readProperty(MainWindow::编辑框3, prop::content).toText(), "00"_t);

    // The user can put the caret into a digit box but not change it.
    auto* hours = static_cast<QLineEdit*>(drive::widgetOf(MainWindow::编辑框1));
    EXPECT_TRUE(hours->isReadOnly());
    EXPECT_NE(hours->focusPolicy(), Qt::NoFocus);
    QTest::keyClicks(hours, "12");
    EXPECT_EQ(hours->text(), QString("00"));
    EXPECT_EQ(hours->font().pixelSize(), 35);
    EXPECT_TRUE(hours->font().bold());
}

TEST_F(MainWindowLayout, HiddenLabelsHoldTheirInitialCaptions)
{
    for (UnitRef unit : {MainWindow::标签_修改闹钟, MainWindow::标签_响铃}) {
        EXPECT_EQ(readProperty(unit, prop::caption).toText(), "标签"_t);
        EXPECT_FALSE(readProperty(unit, prop::visible).toBool());
    }
    const UnitRef mirrors[] = {MainWindow::标签_闹钟1, MainWindow::标签_闹钟2, MainWindow::标签_闹钟3,
                               MainWindow::标签_闹钟4, MainWindow::标签_闹钟5};
    for (int slot = 1; slot <= 5; ++slot) {
        EXPECT_EQ(readProperty(mirrors[slot - 1], prop::caption).toText(), Text::fromBytes(std::to_string(slot)));
        EXPECT_FALSE(readProperty(mirrors[slot - 1], prop::visible).toBool());
    }
}

TEST_F(MainWindowLayout, UnitsSitAtTheirLayoutPositionsInsideTheClientArea)
{
    for (const UnitLayout& unit : MainWindow::layout().units) {
        if (!drive::widgetOf(unit.ref))
            continue;  // timers and menus have no place
        SCOPED_TRACE(unit.name());
        EXPECT_EQ(rectOf(unit.ref), unit.rect);
        if (unit.visible) {
            EXPECT_LE(unit.rect.left + unit.rect.width, 374);
            EXPECT_LE(unit.rect.top + unit.rect.height, 183);
        }
    }
}

TEST_F(MainWindowLayout, CaptionsReadAsTheUserSeesThem)
{
    const std::pair<UnitRef, const char*> captions[] = {
        {MainWindow::标签5, "Pelgrin工作室"}, {MainWindow::标签4, "注意：目前仅支持 5个闹钟"},
        {MainWindow::按钮_设置, "设置"},      {MainWindow::按钮_添加, "添加闹钟"},
        {MainWindow::标签3, "现在的时间："},
    };
    for (const auto& [unit, text] : captions)
        EXPECT_EQ(readProperty(unit, prop::caption).toText(), Text::fromUtf8(text)) << text;
}

TEST_F(MainWindowLayout, TimersAndMenu)
{
    // The clock's timer starts only when the window's created handler sets it.
    EXPECT_EQ(MainWindow::layout().units[MainWindow::时钟1.unit - 1].interval, 0);
    for (UnitRef slot : {MainWindow::时钟_闹钟1, MainWindow::时钟_闹钟2, MainWindow::时钟_闹钟3, MainWindow::时钟_闹钟4,
                         MainWindow::时钟_闹钟5})
        EXPECT_EQ(readProperty(slot, prop::interval).toInt(), 1000);

    EXPECT_FALSE(readProperty(MainWindow::菜单, menuProp::visible).toBool());
    EXPECT_EQ(readProperty(MainWindow::菜单_启动停止闹钟, menuProp::caption).toText(), "启动/停止闹钟"_t);
    EXPECT_EQ(readProperty(MainWindow::菜单_分隔1, menuProp::caption).toText(), "-"_t);
    EXPECT_EQ(readProperty(MainWindow::菜单_修改闹钟设置, menuProp::caption).toText(), "修改闹钟设置"_t);
    EXPECT_EQ(readProperty(MainWindow::菜单_分隔2, menuProp::caption).toText(), "-"_t);
    EXPECT_EQ(readProperty(MainWindow::菜单_删除闹钟, menuProp::caption).toText(), "删除闹钟"_t);
    for (UnitRef item : {MainWindow::菜单_启动停止闹钟, MainWindow::菜单_修改闹钟设置, MainWindow::菜单_删除闹钟}) {
        EXPECT_FALSE(readProperty(item, menuProp::checked).toBool());
        EXPECT_FALSE(readProperty(item, menuProp::disabled).toBool());
    }
    // The menu is data: nothing of it shows as a menu bar.
    EXPECT_EQ(drive::widgetOf(MainWindow::菜单), nullptr);
}

TEST_F(MainWindowLayout, AlarmListHasSixColumns)
{
    auto* list = qobject_cast<ReportList*>(drive::widgetOf(MainWindow::超级列表框1));
    ASSERT_NE(list, nullptr);
    const char* captions[] = {"闹钟", "响铃", "状态", "备注", "音乐", "振动"};
    const int widths[] = {50, 50, 135, 115, 0, 0};
    ASSERT_EQ(list->columnCount(), 6);
    for (int column = 0; column < 6; ++column) {
        EXPECT_EQ(list->caption(column), QString(captions[column]));
        EXPECT_EQ(list->columnWidth(column), widths[column]) << column;
    }
    EXPECT_EQ(readProperty(MainWindow::超级列表框1, prop::currentRow).toInt(), -1);
    EXPECT_EQ(listRowCount(MainWindow::超级列表框1), 0);
}

TEST_F(MainWindowLayout, SettingsWindowIsAPlaceholder)
{
    ASSERT_TRUE(loadWindow(SettingsWindow::id));
    QWidget* window = drive::widgetOf(SettingsWindow::window);
    EXPECT_EQ(readProperty(SettingsWindow::window, prop::caption).toText(), "设置"_t);
    EXPECT_EQ(window->size(), QSize(281, 167));
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(readProperty(SettingsWindow::标签1, prop::disabled).toBool());
    EXPECT_TRUE(readProperty(SettingsWindow::分组框1, prop::disabled).toBool());
    EXPECT_TRUE(readProperty(SettingsWindow::组合框1, prop::disabled).toBool());
    EXPECT_EQ(readProperty(SettingsWindow::组合框1, prop::caption).toText(), "默认"_t);
    EXPECT_EQ(readProperty(SettingsWindow::标签1, prop::caption).toText(), "未开发！"_t);
    EXPECT_EQ(readProperty(SettingsWindow::分组框1, prop::caption).toText(), "设置默认铃声"_t);
    // The combo box sits inside its group box.
    EXPECT_EQ(drive::widgetOf(SettingsWindow::组合框1)->parentWidget(), drive::widgetOf(SettingsWindow::分组框1));
    EXPECT_EQ(rectOf(SettingsWindow::组合框1), (Rect{8, 20, 112, 20}));
    EXPECT_FALSE(readProperty(SettingsWindow::标签3, prop::caption).toText().isEmpty());
}
