// RegisterComponet runs the real regsvr32 on the error sink: the sink can then be
// created through the component runtime, and "/u" takes that away again.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <zelmtools/errorinfo/ErrorInfo.h>
#include <zelmtools/util/FileUtils.h>

#include "support/message_capture.h"
#include "support/temp_registry.h"

namespace {

namespace fs = std::filesystem;

TEST(RegisterComponet, RegistersAndUnregistersTheErrorSink)
{
    TempRegistry registry;
    // regsvr32 tells its result on stderr rather than in a window.
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    fs::path previous = fs::current_path();
    fs::path sink = ERRORSINK_PATH;
    fs::current_path(sink.parent_path());
    MessageCapture messages;

    CErrorInfoObject before;
    EXPECT_FALSE(InitErrorInfo(before, 0x0409));
    EXPECT_NE(RegisterComponet(sink.filename().c_str(), ""), 0);
    CErrorInfoObject registered;
    EXPECT_TRUE(InitErrorInfo(registered, 0x0409));
    EXPECT_NE(registered.GetErrorInfo(), nullptr);

    EXPECT_NE(RegisterComponet(sink.filename().c_str(), "/u"), 0);
    CErrorInfoObject unregistered;
    EXPECT_FALSE(InitErrorInfo(unregistered, 0x0409));
    EXPECT_TRUE(messages.texts.empty());
    fs::current_path(previous);
}

}  // namespace
