// On a real desktop with a window manager: a window that a dialog-mode
// window holds disabled ignores the window manager's close request.

#include "desktopsession.h"

#include <QThread>
#include <gtest/gtest.h>

#ifndef DIALOG_PROBE_BINARY
#error "DIALOG_PROBE_BINARY must name the probe program"
#endif

TEST(DialogOnDesktop, DisabledMainWindowStaysWhenTheWindowManagerClosesIt)
{
    DesktopSession desktop;
    if (!desktop.isRunning())
        GTEST_FAIL() << "the private X desktop did not start: " << desktop.failure().toStdString();
    QProcess* program = desktop.start(QStringLiteral(DIALOG_PROBE_BINARY));
    const unsigned long main = desktop.waitForWindow(QStringLiteral("探针主窗口"));
    const unsigned long dialog = desktop.waitForWindow(QStringLiteral("探针对话"));
    ASSERT_NE(main, 0UL);
    ASSERT_NE(dialog, 0UL);

    desktop.closeWindow(main);
    // Requests arrive in order: once the dialog is gone, the main window's
    // request has been handled too.
    desktop.closeWindow(dialog);
    for (int tries = 0; tries < 100 && desktop.waitForWindow(QStringLiteral("探针对话"), 0) != 0; ++tries)
        QThread::msleep(50);
    EXPECT_EQ(desktop.waitForWindow(QStringLiteral("探针对话"), 0), 0UL);
    EXPECT_EQ(desktop.waitForWindow(QStringLiteral("探针主窗口"), 2000), main);
    EXPECT_EQ(program->state(), QProcess::Running);

    // Enabled again, it closes, and the program ends with it.
    desktop.closeWindow(main);
    ASSERT_TRUE(program->waitForFinished(10000));
    EXPECT_EQ(program->exitCode(), 0);
}
