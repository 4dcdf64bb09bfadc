// Fatal errors: one message box titled "错误", then exit code -1. The child
// process answers its own box and reports the box's title and text.

#include "host/runtime/runtime.h"
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

using RuntimeDeathTest = ProbeWindows;

TEST_F(RuntimeDeathTest, EachCauseReportsAndExits)
{
    const struct
    {
        const char* name;
        void (*cause)();
        const char* report;
    } cases[] = {
        {"window not loaded", [] { readProperty(Probe::label, prop::caption); },
         "运行时出错!\r?\n\r?\n错误信息：未载入欲访问窗口组件所在的窗口(.|\n)*\\[box title=错误 icon=3\\]"},
        {"no such unit",
         [] {
             loadWindow(Probe::id);
             writeProperty(UnitRef{Probe::id, 77}, prop::caption, "x"_t);
         },
         "错误信息：指定窗口或窗口组件不存在或尚未载入"},
        {"start window", [] { loadStartWindow(WindowId{4242}); }, "错误信息：载入启动窗口失败"},
        {"error code", [] { fatalError("测试"_t, 42); }, "运行时出错!\r?\n\r?\n错误代码：42\r?\n\r?\n错误信息：测试"},
        // The player's thread has no widgets: its report goes to standard error alone.
        {"other thread", [] { std::thread([] { fatalError("线程"_t); }).join(); }, "错误信息：线程\r?\n$"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EXIT(
            {
                // Answers the box and reports its title; lives until the child process exits.
                new ModalWatch(ModalWatch::Kind::Modal, [](QWidget* shown) {
                    auto* box = static_cast<QMessageBox*>(shown);
                    fprintf(stderr, "[box title=%s icon=%d]\n", box->windowTitle().toUtf8().constData(),
                            int(box->icon()));
                    box->accept();
                }, "QMessageBox");
                test.cause();
            },
            ::testing::ExitedWithCode(255), test.report);
    }
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
