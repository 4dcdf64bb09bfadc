// Fatal errors: one message box titled "错误", then exit code -1. The child
// process answers its own box and reports the box's title and text.

#include "host/runtime.h"
#include "modalwatch.h"
#include "probewindows.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdio>
#include <thread>

using namespace host;
using namespace testwindows;

namespace {

void answerFatalBoxLater()
{
    // Lives until the child process exits with the report.
    new ModalWatch(ModalWatch::Kind::Modal, [](QWidget* shown) {
        auto* box = static_cast<QMessageBox*>(shown);
        fprintf(stderr, "[box title=%s icon=%d]\n", box->windowTitle().toUtf8().constData(), int(box->icon()));
        box->accept();
    }, "QMessageBox");
}

} // namespace

using RuntimeDeathTest = ProbeWindows;

TEST_F(RuntimeDeathTest, PropertyOfAWindowThatIsNotLoaded)
{
    EXPECT_EXIT(
        {
            answerFatalBoxLater();
            readProperty(Probe::label, prop::caption);
        },
        ::testing::ExitedWithCode(255),
        "运行时出错!\r?\n\r?\n错误信息：未载入欲访问窗口组件所在的窗口(.|\n)*\\[box title=错误 icon=3\\]");
}

TEST_F(RuntimeDeathTest, UnitThatDoesNotResolve)
{
    EXPECT_EXIT(
        {
            answerFatalBoxLater();
            loadWindow(Probe::id);
            writeProperty(UnitRef{Probe::id, 77}, prop::caption, "x"_t);
        },
        ::testing::ExitedWithCode(255), "错误信息：指定窗口或窗口组件不存在或尚未载入");
}

TEST_F(RuntimeDeathTest, StartWindowThatCannotBeCreated)
{
    EXPECT_EXIT(
        {
            answerFatalBoxLater();
            loadStartWindow(WindowId{4242});
        },
        ::testing::ExitedWithCode(255), "错误信息：载入启动窗口失败");
}

// The player's thread has no widgets: its report goes to standard error alone.
TEST_F(RuntimeDeathTest, ReportFromAnotherThreadOpensNoBox)
{
    EXPECT_EXIT(
        {
            answerFatalBoxLater();
            std::thread([] { fatalError("线程"_t); }).join();
        },
        ::testing::ExitedWithCode(255), "错误信息：线程\r?\n$");
}

TEST_F(RuntimeDeathTest, ReportWithAnErrorCode)
{
    EXPECT_EXIT(
        {
            answerFatalBoxLater();
            fatalError("测试"_t, 42);
        },
        ::testing::ExitedWithCode(255), "运行时出错!\r?\n\r?\n错误代码：42\r?\n\r?\n错误信息：测试");
}

TEST_F(RuntimeDeathTest, NoHandlerRunsOnceTheReportHasBegun)
{
    EXPECT_EXIT(
        {
            loadWindow(Other::id);  // its timer ticks every 20 ms
            auto* poll = new QTimer(qApp);
            QObject::connect(poll, &QTimer::timeout, [] {
                static int polls = 0;
                if (++polls == 20) {
                    fprintf(stderr, "[ticks after report: %d]\n", g_probe.otherTicks);
                    if (auto* box = QApplication::activeModalWidget())
                        box->close();
                }
            });
            poll->start(10);
            g_probe.otherTicks = 0;
            fatalError("测试"_t);
        },
        ::testing::ExitedWithCode(255), "\\[ticks after report: 0\\]");
}

TEST(Toolkit, StandardButtonsSpeakChinese)
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text().remove(u'&'), QString("确定"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove(u'&'), QString("取消"));
}
