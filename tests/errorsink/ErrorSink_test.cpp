#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include <zelmtools/errorinfo/ErrorInfo.h>
#include <zelmtools/errorinfo/ErrorsTrace.h>
#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/com/objbase.h>
#include <zelmtools/platform/registry/registry.h>

#include "platform/kernel/version_module.h"
#include "support/message_capture.h"
#include "support/temp_registry.h"

namespace {

// Runs regsvr32 silently on the sink library; its exit code.
int RunRegsvr32(const std::vector<std::string>& args)
{
    pid_t child = fork();
    if (child == 0) {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        std::vector<char*> argv{const_cast<char*>(REGSVR32_PATH)};
        for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(REGSVR32_PATH, argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

void SetTraceSetting(DWORD value)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Brannic KSD\\ErrorSink", 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "TraceEnabled", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

class ErrorSinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(RunRegsvr32({"/s", ERRORSINK_PATH}), 0);
        ASSERT_TRUE(m_loader.InitSubsystemInfo(VersionTestModule(), VersionTestModule()));
    }

    TempRegistry m_registry;
    CResourceErrorInfoLoader m_loader{12, u"sink.hlp"};
    CSourceFileInfo m_source{"io.cpp", "Dec  7 2026", "10:00:00"};
};

TEST_F(ErrorSinkTest, RegisteredSinkKeepsRecordsAsAStack)
{
    CErrorInfoObject errors;
    ASSERT_TRUE(InitErrorInfo(errors, 0x0419));
    IZelmErrorInfo* sink = errors.GetErrorInfo();
    ASSERT_NE(sink, nullptr);

    const DWORD_PTR inserts[] = {reinterpret_cast<DWORD_PTR>("b.txt")};
    ASSERT_TRUE(m_loader.AddErrorInfoEx(sink, &m_source, 31, 700, -2, 44, 1000, nullptr, inserts));
    ASSERT_TRUE(m_loader.AddErrorInfoText(sink, &m_source, 32, 701, u"second"));
    DWORD count = 0;
    ASSERT_EQ(sink->GetErrorCount(&count), S_OK);
    EXPECT_EQ(count, 2u);

    ErrorInfoItem item{};
    ASSERT_EQ(PopErrorAllocate(sink, item), S_OK);
    EXPECT_EQ(std::u16string(item.Text), u"second");
    PopErrorFree(item);
    ASSERT_EQ(PopErrorAllocate(sink, item), S_OK);
    EXPECT_EQ(std::u16string(item.SubSystemName), u"Проверочный модуль");
    EXPECT_EQ(item.SubSystemID, 12u);
    EXPECT_EQ(std::u16string(item.SubSystemBuild), u"2.5.17.300");
    EXPECT_EQ(std::u16string(item.SourceFileName), u"io.cpp");
    EXPECT_EQ(std::u16string(item.SourceFileCompileDate), u"Dec  7 2026");
    EXPECT_EQ(std::u16string(item.SourceFileCompileTime), u"10:00:00");
    EXPECT_EQ(item.Line, 31);
    EXPECT_EQ(item.ErrorID, 700u);
    EXPECT_EQ(item.HelpParam, -2);
    EXPECT_EQ(item.HelpContext, 44u);
    EXPECT_EQ(std::u16string(item.Text), u"Файл b.txt не найден.\r\n");
    EXPECT_EQ(std::u16string(item.HelpFileName), u"sink.hlp");
    PopErrorFree(item);
    EXPECT_EQ(PopErrorAllocate(sink, item), HRESULT_FROM_WIN32(259));  // no more records
}

TEST_F(ErrorSinkTest, CopiesShareTheSinkAndReInitReplacesIt)
{
    CErrorInfoObject errors;
    ASSERT_TRUE(InitErrorInfo(errors, 0x0409));
    IZelmErrorInfo* first = errors.GetErrorInfo();
    {
        CErrorInfoObject copy(errors);
        EXPECT_EQ(copy.GetErrorInfo(), first);
        CErrorInfoObject assigned;
        assigned = copy;
        EXPECT_EQ(assigned.GetErrorInfo(), first);
    }
    ASSERT_TRUE(m_loader.AddErrorInfoText(first, &m_source, 1, 5, u"still alive"));
    first->AddRef();
    EXPECT_EQ(first->Release(), 1u);  // the holder's reference alone

    ASSERT_TRUE(InitErrorInfo(errors, 0x0409));
    EXPECT_NE(errors.GetErrorInfo(), nullptr);
}

TEST_F(ErrorSinkTest, TraceSwitchComesFromTheStoreAndCanBeSet)
{
    CErrorInfoObject off;
    ASSERT_TRUE(InitErrorInfo(off, 0x0409));
    DWORD enabled = 7;
    ASSERT_EQ(off.GetErrorInfo()->GetTraceEnabled(&enabled), S_OK);
    EXPECT_EQ(enabled, 0u);
    {
        CErrorsTraceObject trace(off, &m_source, &m_loader, "Read", 5);
    }
    DWORD count = 1;
    off.GetErrorInfo()->GetErrorCount(&count);
    EXPECT_EQ(count, 0u);
    off.GetErrorInfo()->SetTraceEnabled(1);
    {
        CErrorsTraceObject trace(off, &m_source, &m_loader, "Read", 5);
    }
    off.GetErrorInfo()->GetErrorCount(&count);
    EXPECT_EQ(count, 2u);

    SetTraceSetting(1);
    CErrorInfoObject on;
    ASSERT_TRUE(InitErrorInfo(on, 0x0409));
    ASSERT_EQ(on.GetErrorInfo()->GetTraceEnabled(&enabled), S_OK);
    EXPECT_EQ(enabled, 1u);
}

TEST_F(ErrorSinkTest, ShowListsNewestFirstAndCanClear)
{
    CErrorInfoObject errors;
    ASSERT_TRUE(InitErrorInfo(errors, 0x0409));
    MessageCapture messages;
    EXPECT_EQ(ShowErrorMessage(0, errors), 0);
    EXPECT_TRUE(messages.texts.empty());

    ASSERT_TRUE(m_loader.AddErrorInfoText(errors, &m_source, 1, 5, u"older"));
    ASSERT_TRUE(m_loader.AddErrorInfoText(errors, &m_source, 2, 6, u"newer"));
    EXPECT_EQ(ShowErrorMessage(0, errors), 2);
    ASSERT_EQ(messages.texts.size(), 1u);
    const std::string& shown = messages.texts[0];
    EXPECT_NE(shown.find("io.cpp:2"), std::string::npos) << shown;
    EXPECT_LT(shown.find("newer"), shown.find("older")) << shown;
    EXPECT_EQ(ShowErrorMessage(1, errors), 2);  // shows and clears
    EXPECT_EQ(ShowErrorMessage(0, errors), 0);
}

TEST_F(ErrorSinkTest, ThreadsAddAndPopWithoutLosingRecords)
{
    CErrorInfoObject errors;
    ASSERT_TRUE(InitErrorInfo(errors, 0x0409));
    IZelmErrorInfo* sink = errors.GetErrorInfo();
    constexpr int kThreads = 4, kEach = 200;
    std::vector<std::thread> threads;
    std::atomic<int> popped{0};
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            std::u16string text(static_cast<std::size_t>(t * 50 + 1), u'x');
            for (int i = 0; i < kEach; ++i) {
                m_loader.AddErrorInfoText(sink, &m_source, i, 9, text.c_str());
                ErrorInfoItem item{};
                if (PopErrorAllocate(sink, item) == S_OK) {
                    ++popped;
                    PopErrorFree(item);
                }
            }
        });
    for (auto& thread : threads) thread.join();
    DWORD left = 0;
    sink->GetErrorCount(&left);
    EXPECT_EQ(popped + static_cast<int>(static_cast<std::uint32_t>(left)), kThreads * kEach);
}

TEST_F(ErrorSinkTest, PopWithoutAskingTheSizesIsRefused)
{
    CErrorInfoObject errors;
    ASSERT_TRUE(InitErrorInfo(errors, 0x0409));
    ASSERT_TRUE(m_loader.AddErrorInfoText(errors, &m_source, 1, 5, u"kept"));
    WCHAR small[1];
    ErrorInfoItem item{small, 0, small, small, small, small, 0, 0, 0, 0, small, small};
    EXPECT_TRUE(FAILED(errors.GetErrorInfo()->PopErrorInfo(&item)));
    DWORD count = 0;
    errors.GetErrorInfo()->GetErrorCount(&count);
    EXPECT_EQ(count, 1u);
}

TEST_F(ErrorSinkTest, UnregisteredSinkCannotBeCreated)
{
    ASSERT_EQ(RunRegsvr32({"/s", "/u", ERRORSINK_PATH}), 0);
    CErrorInfoObject errors;
    EXPECT_FALSE(InitErrorInfo(errors, 0x0409));
}

}  // namespace
