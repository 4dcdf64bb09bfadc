// On a real desktop with a window manager: a window that a dialog-mode
// window holds disabled ignores the window manager's close request.

#include "desktopsession.h"

#include <gtest/gtest.h>

#include <iostream>

#ifndef DIALOG_PROBE_BINARY
#error "DIALOG_PROBE_BINARY must name the probe program"
#endif

TEST(DialogOnDesktop, DisabledMainWindowStaysWhenTheWindowManagerClosesIt)
{
    DesktopSession desktop;
    if (!desktop.isRunning())
        GTEST_FAIL() << "the private X desktop did not start: " << desktop.failure().toStdString();
    // Now and then, on a busy machine, neither window of
    // the probe shows up at all; what the desktop then holds is printed, and
    // the probe is started once more: the close request is what is tested here.
    testsupport::ProcessGroup* program = nullptr;
    unsigned long main = 0;
    unsigned long dialog = 0;
    for (int attempt = 0; attempt < 2 && (main == 0 || dialog == 0); ++attempt) {
        if (program) {
            std::cerr << "the probe's windows did not appear; the desktop holds:\n"
                      << desktop.run(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")})
                             .toStdString();
            program->stop();
        }
        program = desktop.start(QStringLiteral(DIALOG_PROBE_BINARY));
        main = desktop.waitForWindow(QStringLiteral("探针主窗口"));
        dialog = main ? desktop.waitForWindow(QStringLiteral("探针对话")) : 0;
    }
    ASSERT_NE(main, 0UL);
    ASSERT_NE(dialog, 0UL);

    desktop.closeWindow(main);
    // Requests arrive in order: once the dialog is gone, the main window's
    // request has been handled too.
    desktop.closeWindow(dialog);
    EXPECT_TRUE(desktop.waitForNoWindow(QStringLiteral("探针对话"), 5000));
    EXPECT_EQ(desktop.waitForWindow(QStringLiteral("探针主窗口"), 2000), main);
    EXPECT_TRUE(program->isRunning());

    // Enabled again, it closes, and the program ends with it.
    desktop.closeWindow(main);
    const std::optional<int> code = program->waitForExit(std::chrono::seconds(10));
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0);
}
