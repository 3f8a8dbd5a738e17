// The program's application object names its message boxes.

#include <gtest/gtest.h>

#include <string>

#include "app/ScrivaneApp.h"
#include "framework/ui/MessageBox.h"

TEST(ScrivaneApp, MessageBoxesAreCaptionedScrivane)
{
    CScrivaneApp app;
    std::string caption;
    auto previous = zelm::framework::SetMessageBoxHandler([&](const zelm::framework::MessageBoxRequest& request) {
        caption = request.caption;
        return IDOK;
    });
    AfxMessageBox("text");
    zelm::framework::SetMessageBoxHandler(previous);
    EXPECT_EQ(caption, "Scrivane");
}
