// The caption of the message boxes names the running program.

#include "framework/ui/MessageBox.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cerrno>
#include <string>

#include "framework/app/CWinApp.h"

namespace {

// The caption the next message box gets, read through the replaceable entry point.
std::string NextCaption()
{
    std::string caption;
    auto previous = zelm::framework::SetMessageBoxHandler([&](const zelm::framework::MessageBoxRequest& request) {
        caption = request.caption;
        return IDOK;
    });
    AfxMessageBox("text");
    zelm::framework::SetMessageBoxHandler(previous);
    return caption;
}

}  // namespace

TEST(MessageBoxCaption, IsTheProgramsNameOrTheNameTheApplicationGivesItself)
{
    const std::string program = program_invocation_short_name;
    ASSERT_EQ(program, "test_framework");
    EXPECT_EQ(NextCaption(), program);

    QGuiApplication::setApplicationDisplayName("Display Name");
    EXPECT_EQ(NextCaption(), "Display Name");
    QGuiApplication::setApplicationDisplayName(QString());
    EXPECT_EQ(NextCaption(), program);

    zelm::framework::SetApplicationTitle("Set Title");
    EXPECT_EQ(NextCaption(), "Set Title");
    zelm::framework::SetApplicationTitle("");
    EXPECT_EQ(NextCaption(), program);
}

TEST(MessageBoxCaption, FollowsTheApplicationObjectsNameWhileItLives)
{
    {
        CWinApp app("Some Tool");
        EXPECT_EQ(NextCaption(), "Some Tool");
    }
    EXPECT_EQ(NextCaption(), program_invocation_short_name);
    {
        CWinApp unnamed;
        EXPECT_EQ(NextCaption(), program_invocation_short_name);
    }
}
