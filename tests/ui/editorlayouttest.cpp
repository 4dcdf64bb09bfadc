// The editor window as its layout builds it: where each unit sits and in
// which group box, and how a group box frames the units inside it.

#include "editorfixture.h"

#include <QImage>
#include <QWidget>

using namespace host;
using namespace EditorWindow;

using EditorLayout = EditorShown;

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

// The frame line runs half a text height down, so units placed 15 pixels
// below a group box's top sit inside its frame, not across it.
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
