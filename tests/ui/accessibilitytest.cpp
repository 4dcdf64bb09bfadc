// What a screen reader calls the units that show no text of their own: the
// digit boxes, the spinners, the note and path boxes. Units with a caption
// keep it as their name: a name given to them would hide their text.

#include "editorfixture.h"

#include <QAccessible>
#include <QWidget>

namespace {

struct SpokenUnit
{
    host::UnitRef unit;
    const char* name;
};

class Accessibility : public EditorShown
{
protected:
    static QString spokenName(host::UnitRef unit)
    {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(drive::widgetOf(unit));
        return accessible ? accessible->text(QAccessible::Name) : QString();
    }
};

} // namespace

TEST_F(Accessibility, UnitsWithoutTextOfTheirOwnAreNamedAndCaptionsStayNames)
{
    const SpokenUnit units[] = {
        {MainWindow::编辑框1, "时"},
        {MainWindow::编辑框2, "分"},
        {MainWindow::编辑框3, "秒"},
        {MainWindow::按钮_添加, "添加闹钟"},
        {MainWindow::标签3, "现在的时间："},
        {MainWindow::超级列表框1, "闹钟列表"},
        {EditorWindow::编辑框_小时, "小时"},
        {EditorWindow::编辑框_分钟, "分钟"},
        {EditorWindow::调节器1, "调节小时"},
        {EditorWindow::调节器2, "调节分钟"},
        {EditorWindow::编辑框_备注, "备注"},
        {EditorWindow::编辑框_自定音乐, "音乐文件"},
        {EditorWindow::选择框_振动, "振动"},
    };
    for (const SpokenUnit& unit : units)
        EXPECT_EQ(spokenName(unit.unit), QString::fromUtf8(unit.name)) << unit.name;
}
