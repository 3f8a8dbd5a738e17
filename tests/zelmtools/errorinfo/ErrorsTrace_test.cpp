#include <gtest/gtest.h>

#include <string>

#include <zelmtools/errorinfo/ErrorsTrace.h>

#include "platform/kernel/version_module.h"
#include "support/message_capture.h"
#include "zelmtools/errorinfo/FakeSink.h"

namespace {

class TraceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_loader.InitSubsystemInfo(VersionTestModule(), VersionTestModule())); }

    CResourceErrorInfoLoader m_loader{3, u"help"};
    CSourceFileInfo m_source{"load.cpp", "d", "t"};
    FakeSink m_sink;
    MessageCapture m_messages;
};

TEST_F(TraceTest, EntryAndExitAreRecordedWhileTheSinkWantsThem)
{
    {
        CErrorsTraceObject trace(&m_sink, &m_source, &m_loader, "Load", 42);
    }
    ASSERT_EQ(m_sink.records.size(), 2u);
    EXPECT_EQ(m_sink.records[0].text(), u"Tracing, entering function Load");
    EXPECT_EQ(m_sink.records[1].text(), u"Tracing, exiting  function Load");
    for (const StoredRecord& record : m_sink.records) {
        EXPECT_EQ(record.errorId, 2u);
        EXPECT_EQ(record.line, 42);
        EXPECT_EQ(record.file(), u"load.cpp");
    }

    m_sink.records.clear();
    m_sink.trace = 0;
    {
        CErrorsTraceObject trace(&m_sink, &m_source, &m_loader, "Load", 42);
    }
    m_sink.trace = 1;
    m_sink.traceResult = E_FAIL;
    {
        CErrorsTraceObject trace(&m_sink, &m_source, &m_loader, "Load", 42);
    }
    {
        CErrorsTraceObject trace(nullptr, &m_source, &m_loader, "Load", 42);
    }
    EXPECT_TRUE(m_sink.records.empty());
    EXPECT_TRUE(m_messages.texts.empty());
}

TEST_F(TraceTest, LongNamesAreCutToTheTextLimit)
{
    std::string name(1500, 'f');
    {
        CErrorsTraceObject trace(&m_sink, &m_source, &m_loader, name.c_str(), 1);
    }
    ASSERT_EQ(m_sink.records.size(), 2u);
    EXPECT_EQ(m_sink.records[0].text().size(), 999u);
    EXPECT_EQ(m_sink.records[0].text().substr(27), std::u16string(972, u'f'));
}

TEST_F(TraceTest, FailedTraceAddShowsOneMessagePerStep)
{
    m_sink.addResult = E_FAIL;
    {
        CErrorsTraceObject trace(&m_sink, &m_source, &m_loader, "Load", 1);
    }
    EXPECT_EQ(m_messages.texts.size(), 2u);
}

TEST_F(TraceTest, PoppedRecordsOwnTheirTexts)
{
    ASSERT_TRUE(m_loader.AddErrorInfoHelp(&m_sink, &m_source, 8, 1001, -1, 2));
    ErrorInfoItem item{};
    ASSERT_EQ(PopErrorAllocate(&m_sink, item), S_OK);
    EXPECT_EQ(std::u16string(item.Text), u"Disk full.\r\n");
    EXPECT_EQ(std::u16string(item.SubSystemName), u"Version test module");
    EXPECT_EQ(std::u16string(item.HelpFileName), u"help");
    EXPECT_EQ(item.Line, 8);
    EXPECT_EQ(item.ErrorID, 1001u);
    EXPECT_EQ(item.HelpParam, -1);
    EXPECT_EQ(item.HelpContext, 2u);
    PopErrorFree(item);
    EXPECT_EQ(item.Text, nullptr);
    EXPECT_TRUE(m_sink.records.empty());
    EXPECT_EQ(PopErrorAllocate(&m_sink, item), E_FAIL);  // nothing left
}

TEST_F(TraceTest, PopFailuresPassTheCodeThroughAndLeaveNothing)
{
    ASSERT_TRUE(m_loader.AddErrorInfoTech(&m_sink, &m_source, 8, 1001));
    ErrorInfoItem item{};
    m_sink.sizesResult = E_ACCESSDENIED;
    EXPECT_EQ(PopErrorAllocate(&m_sink, item), E_ACCESSDENIED);
    EXPECT_EQ(item.Text, nullptr);
    m_sink.sizesResult = S_OK;
    m_sink.popResult = E_OUTOFMEMORY;
    EXPECT_EQ(PopErrorAllocate(&m_sink, item), E_OUTOFMEMORY);
    EXPECT_EQ(item.Text, nullptr);
    EXPECT_EQ(PopErrorAllocate(nullptr, item), E_POINTER);
}

TEST(ShowErrorMessage, ResultIsTheSinksOrZero)
{
    FakeSink sink;
    EXPECT_EQ(ShowErrorMessage(5, &sink), 7);
    EXPECT_EQ(sink.shownValue, 5u);
    sink.showResult = E_FAIL;
    EXPECT_EQ(ShowErrorMessage(5, &sink), 0);
    EXPECT_EQ(ShowErrorMessage(5, nullptr), 0);
}

}  // namespace
