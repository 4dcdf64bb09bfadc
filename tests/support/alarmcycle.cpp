#include "alarmcycle.h"

#include "core/alarmtable.h"
#include "host/runtime/runtime.h"
#include "modalwatch.h"
#include "programwindows.h"
#include "testwindows.h"
#include "ui/editor/editorwindowlayout.h"
#include "ui/main/mainwindowlayout.h"
#include "unitdriver.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMessageBox>

using AlarmTable::AlarmColumn;
using namespace host;

namespace alarmcycle {
namespace {

// Waits for the editor from a timer, which keeps ticking in the loop of
// whatever command opens it, then runs `steps` there and confirms.
class EditorWatch final
{
public:
    explicit EditorWatch(std::function<void()> steps) : m_steps(std::move(steps))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (!isLoaded(EditorWindow::id))
                return;
            m_timer.stop();
            m_steps();
            drive::click(EditorWindow::按钮2);
            m_confirmed = true;
        });
        m_timer.start(1);
    }
    bool confirmed() const { return m_confirmed && !isLoaded(EditorWindow::id); }

private:
    std::function<void()> m_steps;
    bool m_confirmed = false;
    QTimer m_timer;
};

} // namespace

bool loadWindows()
{
    registerProgramWindows();
    return loadWindow(MainWindow::id);
}

std::string run()
{
    if (AlarmTable::count() != 0)
        return "the list is not empty";
    {
        EditorWatch editor([] {});
        drive::click(MainWindow::按钮_添加);  // returns once the editor is gone
        if (!editor.confirmed() || AlarmTable::count() != 1)
            return "添加闹钟 and 完成 added no alarm";
    }
    {
        // The menu's choice arrives after the menu has closed; the editor opens from it.
        EditorWatch editor([] { drive::click(EditorWindow::选择框_振动); });
        const ModalWatch menu = ModalWatch::choosing("修改闹钟设置");
        drive::rightClick(MainWindow::超级列表框1, 0);
        if (!testsupport::waitUntil([&] { return editor.confirmed(); }))
            return "修改闹钟设置 did not open the editor";
        if (AlarmTable::count() != 1 || AlarmTable::cell(0, AlarmColumn::Vibrate) != AlarmTable::cellText::shake)
            return "the modified alarm does not shake";
    }
    {
        const ModalWatch menu = ModalWatch::choosing("删除闹钟");
        const ModalWatch box(QMessageBox::Ok);
        drive::rightClick(MainWindow::超级列表框1, 0);
        if (!testsupport::waitUntil([] { return AlarmTable::count() == 0; }))
            return "删除闹钟 and 确定 did not delete the alarm";
    }
    // What the closed windows left to be deleted goes now, so that every round ends alike.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return {};
}

} // namespace alarmcycle
