#include "host/runtime/runtime.h"
#include "testwindows.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    // Real widgets, no display needed.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    // Qt runs threads of its own; death tests must re-run the binary.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QApplication application(argc, argv);
    host::initialise();
    testsupport::setWaitStep(testwindows::turnTheEventLoop);
    return RUN_ALL_TESTS();
}
