// The program's application object names its message boxes.

#include <gtest/gtest.h>

#include "app/ScrivaneApp.h"
#include "support/message_capture.h"

TEST(ScrivaneApp, MessageBoxesAreCaptionedScrivane)
{
    CScrivaneApp app;
    EXPECT_EQ(CaptionOfNextMessage(), "Scrivane");
}
