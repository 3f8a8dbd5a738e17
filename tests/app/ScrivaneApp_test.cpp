// The program's application object names its message boxes.

#include "app/ScrivaneApp.h"

#include <gtest/gtest.h>

#include "support/message_capture.h"

TEST(ScrivaneApp, MessageBoxesAreCaptionedScrivane)
{
    CScrivaneApp app;
    EXPECT_EQ(CaptionOfNextMessage(), "Scrivane");
}
