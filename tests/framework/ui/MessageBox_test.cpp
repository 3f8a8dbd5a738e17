// The caption of the message boxes names the running program.

#include "framework/ui/MessageBox.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cerrno>
#include <string>

#include <zelmtools/framework/app/CWinApp.h>
#include "support/message_capture.h"

TEST(MessageBoxCaption, IsTheProgramsNameOrTheNameTheApplicationGivesItself)
{
    const std::string program = program_invocation_short_name;
    ASSERT_EQ(program, "test_framework");
    EXPECT_EQ(CaptionOfNextMessage(), program);

    QGuiApplication::setApplicationDisplayName("Display Name");
    EXPECT_EQ(CaptionOfNextMessage(), "Display Name");
    QGuiApplication::setApplicationDisplayName(QString());
    EXPECT_EQ(CaptionOfNextMessage(), program);

    zelm::framework::SetApplicationTitle("Set Title");
    EXPECT_EQ(CaptionOfNextMessage(), "Set Title");
    zelm::framework::SetApplicationTitle("");
    EXPECT_EQ(CaptionOfNextMessage(), program);
}

TEST(MessageBoxCaption, FollowsTheApplicationObjectsNameWhileItLives)
{
    {
        CWinApp app("Some Tool");
        EXPECT_EQ(CaptionOfNextMessage(), "Some Tool");
    }
    EXPECT_EQ(CaptionOfNextMessage(), program_invocation_short_name);
    {
        CWinApp unnamed;
        EXPECT_EQ(CaptionOfNextMessage(), program_invocation_short_name);
    }
}
