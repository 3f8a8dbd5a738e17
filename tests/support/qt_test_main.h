#pragma once
// main() for test executables that need Qt's application object (message loops,
// threads, windows). Runs offscreen.

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#define ZELM_QT_TEST_MAIN()                                  \
    int main(int argc, char** argv)                          \
    {                                                        \
        setenv("QT_QPA_PLATFORM", "offscreen", 0);           \
        QApplication app(argc, argv);                        \
        ::testing::InitGoogleTest(&argc, argv);              \
        return RUN_ALL_TESTS();                              \
    }
