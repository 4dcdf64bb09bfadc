#pragma once

// The main window as the alarm core sees it: only the units core/windows.h
// names, each of its type, laid out bare. Tests of the core run on it without
// the windows' code, which keeps the core honest about what it reaches.

#include <gtest/gtest.h>

class CoreWindow : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
};
