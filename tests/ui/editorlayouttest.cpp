// The editor window as its layout builds it: where each unit sits and in
// which group box, and the units whose look or behaviour the layout fixes.

#include "host/runtime.h"
#include "ui/editor/editorwindowlayout.h"
#include "ui/main/mainwindowlayout.h"
#include "unitdriver.h"

#include <QGuiApplication>
#include <QImage>
#include <QPlainTextEdit>
#include <QScreen>
#include <gtest/gtest.h>

using namespace host;
using namespace EditorWindow;

namespace {

class EditorLayout : public ::testing::Test
{
protected:
    // The main window is there because the editor reads its mode from it.
    void SetUp() override
    {
        registerWindow(MainWindow::layout());
        registerWindow(EditorWindow::layout());
        ASSERT_TRUE(loadWindow(MainWindow::id));
        ASSERT_TRUE(loadWindow(EditorWindow::id));
    }
    void TearDown() override { detail::unloadAllWindows(); }
};

} // namespace

TEST_F(EditorLayout, WindowIsCentredFixedWithoutMinimise)
{
    EXPECT_EQ(readProperty(window, prop::caption).toText(), "添加闹钟"_t);
    EXPECT_EQ(readProperty(window, prop::width).toInt(), 296);
    EXPECT_EQ(readProperty(window, prop::height).toInt(), 414);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(readProperty(window, prop::left).toInt(), (screen.width() - 296) / 2);
    QWidget* widget = drive::widgetOf(window);
    EXPECT_EQ(widget->minimumSize(), widget->maximumSize());
    EXPECT_FALSE(widget->windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST_F(EditorLayout, UnitsSitInTheirGroupBoxes)
{
    const struct
    {
        UnitRef unit, parent;
        QPoint inWindow;
    } units[] = {
        {编辑框_小时, window, {16, 16}},        {调节器1, window, {88, 16}},         {标签1, window, {136, 24}},
        {标签2, window, {136, 56}},             {编辑框_分钟, window, {160, 16}},    {调节器2, window, {232, 16}},
        {分组框1, window, {5, 88}},             {选择框_启动闹钟, 分组框1, {15, 104}}, {选择框_自定音乐, 分组框1, {93, 104}},
        {分组框2, 分组框1, {10, 133}},          {单选框_工作日, 分组框2, {48, 149}},   {单选框_自定, 分组框2, {202, 149}},
        {标签3, 分组框2, {19, 168}},            {选择框_星期一, 分组框2, {34, 173}},   {选择框_星期日, 分组框2, {218, 197}},
        {分组框3, 分组框1, {10, 224}},          {编辑框_自定音乐, 分组框3, {15, 239}}, {按钮1, 分组框3, {232, 237}},
        {分组框4, 分组框1, {10, 271}},          {编辑框_备注, 分组框4, {15, 286}},     {按钮2, window, {57, 345}},
        {按钮3, window, {152, 345}},
    };
    QWidget* top = drive::widgetOf(window);
    for (const auto& unit : units) {
        QWidget* widget = drive::widgetOf(unit.unit);
        SCOPED_TRACE(widget->objectName().toStdString());
        EXPECT_EQ(widget->parentWidget(), drive::widgetOf(unit.parent));
        EXPECT_EQ(widget->mapTo(top, QPoint(0, 0)), unit.inWindow);
    }
}

TEST_F(EditorLayout, TimeDigitsAndColon)
{
    for (UnitRef box : {编辑框_小时, 编辑框_分钟}) {
        const QFont font = drive::widgetOf(box)->font();
        EXPECT_EQ(font.pixelSize(), 35);
        EXPECT_TRUE(font.bold());
        EXPECT_EQ(readProperty(box, prop::content).toText(), "00"_t);
    }
    for (UnitRef square : {标签1, 标签2}) {
        QWidget* widget = drive::widgetOf(square);
        EXPECT_EQ(widget->size(), QSize(8, 8));
        EXPECT_EQ(widget->grab().toImage().pixelColor(4, 4), QColor(Qt::black));
    }
}

// Half a text height down, as on the platform the layout was drawn for, so
// units placed 15 pixels below a group box's top stay inside its frame.
TEST_F(EditorLayout, GroupBoxFrameLineRunsAboveTheUnits)
{
    const QImage frame = drive::widgetOf(分组框2)->grab().toImage();
    const QColor background = frame.pixelColor(frame.width() / 2, frame.height() / 2);
    int line = -1;
    for (int y = 0; y < frame.height() && line < 0; ++y) {
        if (frame.pixelColor(frame.width() / 2, y).lightness() < background.lightness() - 30)
            line = y;
    }
    EXPECT_GE(line, 0);
    EXPECT_LT(line, 12);
}

TEST_F(EditorLayout, SettingsOfTheRemainingUnits)
{
    // The music frame starts disabled, and so its units take no input
    // although they are not disabled themselves.
    EXPECT_TRUE(readProperty(分组框3, prop::disabled).toBool());
    EXPECT_FALSE(readProperty(按钮1, prop::disabled).toBool());
    EXPECT_FALSE(drive::widgetOf(按钮1)->isEnabled());
    EXPECT_FALSE(drive::widgetOf(编辑框_自定音乐)->isEnabled());

    EXPECT_EQ(readProperty(通用对话框1, prop::title).toText(), "打开音乐"_t);
    EXPECT_EQ(readProperty(通用对话框1, prop::filter).toText(), "音乐文件(*.mp3)|*.mp3"_t);
    EXPECT_EQ(readProperty(时钟1, prop::interval).toInt(), 1000);
    EXPECT_FALSE(readProperty(编辑框_重复, prop::visible).toBool());
    EXPECT_NE(qobject_cast<QPlainTextEdit*>(drive::widgetOf(编辑框_备注)), nullptr);
    EXPECT_TRUE(readProperty(选择框_启动闹钟, prop::checked).toBool());
    EXPECT_TRUE(readProperty(单选框_单次, prop::checked).toBool());
}

TEST_F(EditorLayout, RepeatRadiosFormOneGroup)
{
    drive::click(选择框_星期一);
    drive::click(单选框_每天);
    EXPECT_TRUE(readProperty(单选框_每天, prop::checked).toBool());
    EXPECT_FALSE(readProperty(单选框_单次, prop::checked).toBool());
    EXPECT_TRUE(readProperty(选择框_星期一, prop::checked).toBool());  // weekdays are not in the group
    drive::click(单选框_自定);
    EXPECT_FALSE(readProperty(单选框_每天, prop::checked).toBool());
}
