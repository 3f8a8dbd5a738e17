// The program's tests run offscreen, with a registry store of their own (which the
// programs they start inherit), so that nothing touches the user's settings.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "support/temp_registry.h"

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TempRegistry registry;
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
