// The program's answer to memory exhaustion: the fatal-error report naming
// the size, then exit code -1.

#include "host/runtime/runtime.h"
#include "modalwatch.h"

#include <QMessageBox>
#include <gtest/gtest.h>

TEST(OutOfMemoryDeathTest, ReportsTheSizeThatCouldNotBeHad)
{
    EXPECT_EXIT(
        {
            new ModalWatch(ModalWatch::Kind::Modal, [](QWidget* box) { static_cast<QMessageBox*>(box)->accept(); });
            volatile std::size_t huge = std::size_t(1) << 60;
            char* block = new char[huge];
            block[0] = 1;
        },
        ::testing::ExitedWithCode(255), "分配 1152921504606846976 字节内存失败!");
}
