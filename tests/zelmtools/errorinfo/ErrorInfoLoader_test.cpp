#include <gtest/gtest.h>

#include <zelmtools/errorinfo/ErrorInfo.h>
#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/com/objbase.h>

#include "platform/kernel/version_module.h"
#include "support/message_capture.h"
#include "support/temp_registry.h"
#include "zelmtools/errorinfo/FakeSink.h"

namespace {

constexpr const char* kFailure = "Error in Errors handling subsystem";

class LoaderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_loader.InitSubsystemInfo(VersionTestModule(), VersionTestModule())); }

    CResourceErrorInfoLoader m_loader{77, u"help.chm"};
    CSourceFileInfo m_source{"src/disk.cpp", "Dec  7 2026", "12:34:56"};
    FakeSink m_sink;
    MessageCapture m_messages;
};

TEST_F(LoaderTest, EveryAddFillsTheRecordFieldByField)
{
    const DWORD_PTR inserts[] = {reinterpret_cast<DWORD_PTR>("a.txt")};
    ASSERT_TRUE(m_loader.AddErrorInfoEx(&m_sink, &m_source, 10, 501, -3, 9000, 1000, nullptr, inserts));
    ASSERT_TRUE(m_loader.AddErrorInfoEx(&m_sink, &m_source, 11, 502, 4, 5, 0, u"Disk %1 full", inserts));
    ASSERT_TRUE(m_loader.AddErrorInfoHelp(&m_sink, &m_source, 12, 1001, 6, 7));
    ASSERT_TRUE(m_loader.AddErrorInfoTech(&m_sink, &m_source, 13, 1001));
    ASSERT_TRUE(m_loader.AddErrorInfoFormat(&m_sink, &m_source, 14, 1000, inserts));
    ASSERT_TRUE(m_loader.AddErrorInfoText(&m_sink, &m_source, 15, 2, u"text %1"));
    ASSERT_TRUE(m_loader.AddErrorInfoSimpleText(&m_sink, &m_source, 16, "простой текст"));
    ASSERT_EQ(m_sink.records.size(), 7u);
    EXPECT_TRUE(m_messages.texts.empty());

    for (const StoredRecord& record : m_sink.records) {
        EXPECT_EQ(record.name(), u"Version test module");
        EXPECT_EQ(record.build(), u"2.5.17.300");
        EXPECT_EQ(record.subSystemId, 77u);
        EXPECT_EQ(record.file(), u"src/disk.cpp");
        EXPECT_EQ(record.date(), u"Dec  7 2026");
        EXPECT_EQ(record.time(), u"12:34:56");
        EXPECT_EQ(record.help(), u"help.chm");
    }
    struct Expected {
        LONG line;
        DWORD id;
        LONG helpParam;
        DWORD helpContext;
        std::u16string text;
    };
    const Expected expected[] = {{10, 501, -3, 9000, u"File a.txt not found.\r\n"},
                                 {11, 502, 4, 5, u"Disk a.txt full"},
                                 {12, 1001, 6, 7, u"Disk full.\r\n"},
                                 {13, 1001, 0, 0, u"Disk full.\r\n"},
                                 {14, 1000, 0, 0, u"File a.txt not found.\r\n"},
                                 {15, 2, 0, 0, u"text %1"},
                                 {16, 0, 0, 0, u"простой текст"}};
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(m_sink.records[i].line, expected[i].line);
        EXPECT_EQ(m_sink.records[i].errorId, expected[i].id);
        EXPECT_EQ(m_sink.records[i].helpParam, expected[i].helpParam);
        EXPECT_EQ(m_sink.records[i].helpContext, expected[i].helpContext);
        EXPECT_EQ(m_sink.records[i].text(), expected[i].text);
    }
}

TEST_F(LoaderTest, LanguageChoosesNameBuildAndMessage)
{
    m_sink.language = 0x0419;
    ASSERT_TRUE(m_loader.AddErrorInfoTech(&m_sink, &m_source, 1, 1000));
    EXPECT_EQ(m_sink.records.at(0).name(), u"Проверочный модуль");
    EXPECT_EQ(m_sink.records.at(0).text(), u"Файл %1 не найден.\r\n");

    // A language without a string table in the version block fails the add.
    m_sink.language = 0x0407;
    EXPECT_FALSE(m_loader.AddErrorInfoText(&m_sink, &m_source, 1, 5, u"x"));
    EXPECT_EQ(m_messages.texts, std::vector<std::string>{kFailure});
    EXPECT_EQ(m_messages.captions, std::vector<std::string>{"Error"});
}

TEST_F(LoaderTest, ApiRecordCarriesTheSystemText)
{
    SetLastError(5);
    ASSERT_TRUE(m_loader.AddErrorInfoApi(&m_sink, &m_source, 20));
    const StoredRecord& record = m_sink.records.at(0);
    EXPECT_EQ(record.errorId, 1u);
    EXPECT_TRUE(record.text().starts_with(u"Windows API: Access is denied") ||
                record.text().starts_with(u"Windows API: Отказано в доступе"));
}

TEST_F(LoaderTest, FailuresShowOneMessageBoxEach)
{
    m_sink.addResult = E_FAIL;
    EXPECT_FALSE(m_loader.AddErrorInfoTech(&m_sink, &m_source, 1, 1001));
    EXPECT_EQ(m_messages.texts.size(), 1u);
    m_sink.addResult = S_OK;
    m_sink.languageResult = E_FAIL;
    EXPECT_FALSE(m_loader.AddErrorInfoTech(&m_sink, &m_source, 1, 1001));
    m_sink.languageResult = S_OK;
    EXPECT_FALSE(m_loader.AddErrorInfoTech(&m_sink, &m_source, 1, 4242));  // no such message
    EXPECT_FALSE(m_loader.AddErrorInfoSimpleText(&m_sink, &m_source, 1, nullptr));
    EXPECT_FALSE(m_loader.AddErrorInfoText(&m_sink, &m_source, 1, 3, nullptr));
    EXPECT_FALSE(m_loader.AddErrorInfoText(&m_sink, nullptr, 1, 3, u"x"));
    EXPECT_EQ(m_messages.texts, std::vector<std::string>(6, kFailure));
    EXPECT_TRUE(m_sink.records.empty());
}

TEST_F(LoaderTest, NullSinkRecordsAndShowsNothing)
{
    EXPECT_TRUE(m_loader.AddErrorInfoTech(nullptr, &m_source, 1, 4242));
    EXPECT_TRUE(m_loader.AddErrorInfoSimpleText(nullptr, nullptr, 1, nullptr));
    EXPECT_TRUE(m_loader.AddErrorInfoApi(nullptr, &m_source, 1));
    EXPECT_TRUE(m_messages.texts.empty());
}

TEST(Loader, UninitialisedOrHelplessLoaderFailsThroughTheMessageBox)
{
    MessageCapture messages;
    FakeSink sink;
    CSourceFileInfo source("a.cpp", "d", "t");
    CResourceErrorInfoLoader uninitialised(1, u"help");
    EXPECT_FALSE(uninitialised.AddErrorInfoText(&sink, &source, 1, 3, u"x"));
    CResourceErrorInfoLoader helpless(1, nullptr);
    ASSERT_TRUE(helpless.InitSubsystemInfo(VersionTestModule(), VersionTestModule()));
    EXPECT_FALSE(helpless.AddErrorInfoText(&sink, &source, 1, 3, u"x"));
    EXPECT_EQ(messages.texts.size(), 2u);
    EXPECT_TRUE(sink.records.empty());
}

TEST(Loader, FailedInitKeepsTheEarlierModules)
{
    CResourceErrorInfoLoader loader(1, u"help");
    ASSERT_TRUE(loader.InitSubsystemInfo(VersionTestModule(), VersionTestModule()));
    int notAModule = 0;
    EXPECT_FALSE(loader.InitSubsystemInfo(reinterpret_cast<HINSTANCE>(&notAModule), nullptr));
    EXPECT_EQ(loader.GetSubsystemModule(), VersionTestModule());
    FakeSink sink;
    CSourceFileInfo source("a.cpp", "d", "t");
    EXPECT_TRUE(loader.AddErrorInfoTech(&sink, &source, 1, 1001));
    EXPECT_EQ(sink.records.at(0).text(), u"Disk full.\r\n");
}

TEST(SourceFileInfo, CopiesOwnTheirTexts)
{
    auto* original = new CSourceFileInfo("файл.cpp", "Jan  1 2026", "00:00:01");
    CSourceFileInfo copy(*original);
    CSourceFileInfo assigned("x", "y", "z");
    assigned = *original;
    delete original;
    EXPECT_EQ(std::u16string(copy.GetSourceFileName()), u"файл.cpp");
    EXPECT_EQ(std::u16string(assigned.GetSourceFileCompileTime()), u"00:00:01");
    CSourceFileInfo empty(nullptr, nullptr, nullptr);
    EXPECT_EQ(std::u16string(empty.GetSourceFileCompileDate()), u"");
}

// The runtime counts initialisations per thread: after every holder is gone, one
// more CoInitialize must be the first again (S_OK).
TEST(ComInit, InitialisationsStayBalanced)
{
    {
        CComInit first;
        EXPECT_TRUE(first.Init());
        EXPECT_TRUE(first.Init());
        CComInit copy(first);
        CComInit assigned;
        assigned = first;
        assigned = copy;
    }
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    CoUninitialize();
}

TEST(ErrorInfoObject, WithoutAComponentNothingIsHeld)
{
    TempRegistry registry;
    {
        CErrorInfoObject empty;
        EXPECT_EQ(empty.GetErrorInfo(), nullptr);
        CErrorInfoObject copy(empty);
        EXPECT_EQ(copy.GetErrorInfo(), nullptr);
    }
    // Without a registered sink component the creation fails and nothing is held.
    CErrorInfoObject object;
    EXPECT_FALSE(InitErrorInfo(object, 0x0409));
    EXPECT_EQ(object.GetErrorInfo(), nullptr);
}

}  // namespace
