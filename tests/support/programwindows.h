#pragma once

// The program's windows as the program itself has them: all four registered,
// the main window loaded, and the program's clock stopped at a chosen moment.
// The fixture every test of the windows starts from.

#include <gtest/gtest.h>

/// Makes the program's four windows known to the runtime, as the program does at start.
void registerProgramWindows();

class ProgramWindows : public ::testing::Test
{
protected:
    /// The windows registered, the main window loaded, the clock at 12:00:00.
    void SetUp() override;
    /// Every window gone (their destroying handlers run), the real clock back.
    void TearDown() override;

    /// Stops the program's clock today at hour:minute:second.
    static void setTime(int hour, int minute, int second = 0);
};
