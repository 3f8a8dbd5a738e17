#include <gtest/gtest.h>

#include "support/run_program.h"
#include "support/test_sound_card.h"

namespace {

ToolResult RunZelmmixer(const std::vector<std::string>& args)
{
    return RunProgram(ZELMMIXER_PATH, args);
}

TEST(Zelmmixer, ListShowsLinesControlsAndTheChosenSource)
{
    TestSoundCard card;
    ToolResult result = RunZelmmixer({"list"});
    ASSERT_EQ(result.exitCode, 0) << result.output;
    for (const char* text :
         {"Device 0: Zelm Test Card\n", "  Master (speakers, 2 channels, line 0x00010000)\n", "    Mute: off\n",
          "      Volume: 16912\n", "    Source: Line CD Mic*\n", "  Capture (recording, 2 channels"})
        EXPECT_NE(result.output.find(text), std::string::npos) << text << "\n" << result.output;
}

TEST(Zelmmixer, SetGetAndRecordSource)
{
    TestSoundCard card;
    ASSERT_EQ(RunZelmmixer({"set", "65535", "0"}).exitCode, 0);
    EXPECT_EQ(card.Values("Master Playback Volume"), std::make_pair(87L, 0L));
    ToolResult get = RunZelmmixer({"get"});
    EXPECT_EQ(get.exitCode, 0);
    EXPECT_EQ(get.output, "65535\n");
    card.SetValues("Master Playback Switch", 0, 0);
    ASSERT_EQ(RunZelmmixer({"set", "0"}).exitCode, 0);
    EXPECT_EQ(card.Values("Master Playback Volume"), std::make_pair(0L, 0L));
    EXPECT_EQ(card.Values("Master Playback Switch"), std::make_pair(1L, 1L));

    ASSERT_EQ(RunZelmmixer({"record-source", "line"}).exitCode, 0);
    EXPECT_EQ(card.Values("Capture Source").first, 2);
    ToolResult unknown = RunZelmmixer({"record-source", "Phono"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.output.find("no recording source 'Phono' (there are: Line, CD, Mic)"), std::string::npos);
    EXPECT_EQ(card.Values("Capture Source").first, 2);
}

TEST(Zelmmixer, UsageErrorsAndNoCard)
{
    TestSoundCard card;
    for (const auto& args : std::vector<std::vector<std::string>>{
             {}, {"set"}, {"set", "65536"}, {"set", "-1"}, {"set", "1x"}, {"get", "extra"}, {"play"}}) {
        ToolResult result = RunZelmmixer(args);
        EXPECT_EQ(result.exitCode, 2) << result.output;
        EXPECT_NE(result.output.find("Try 'zelmmixer --help'."), std::string::npos);
    }
    EXPECT_EQ(card.Log().size(), 0u);
    ToolResult help = RunZelmmixer({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("record-source NAME"), std::string::npos);

    TestSoundCard noCard(TestSoundCard::Kind::NoCard);
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"list"}, {"get"}, {"set", "1"}, {"record-source", "Mic"}}) {
        ToolResult result = RunZelmmixer(args);
        EXPECT_EQ(result.exitCode, 1) << args[0];
        EXPECT_EQ(result.output, "zelmmixer: there is no mixer device\n") << args[0];
    }
}

}  // namespace
