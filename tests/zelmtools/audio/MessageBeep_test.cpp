// zelmMessageBeep: which master channel sounds, and that the master is put back.

#include <gtest/gtest.h>

#include <algorithm>

#include <zelmtools/audio/MessageBeep.h>
#include <zelmtools/audio/Mixer.h>

#include "support/test_sound_card.h"

namespace {

constexpr UINT kIconHand = 16;
const char* const kMasterVolume = "Master Playback Volume";
const char* const kMasterSwitch = "Master Playback Switch";

class MessageBeepTest : public ::testing::Test {
protected:
    void TearDown() override { g_lAudioGlobalPan = 0; }

    // The master levels written since the log had `from` entries.
    static std::vector<std::pair<long, long>> MasterWrites(const TestSoundCard& card, std::size_t from)
    {
        std::vector<std::pair<long, long>> writes;
        auto log = card.Log();
        for (std::size_t i = from; i < log.size(); ++i)
            if (log[i].first == kMasterVolume) writes.push_back(log[i].second);
        return writes;
    }
};

TEST_F(MessageBeepTest, NoPanIsAPlainBeepThatLeavesTheMixerAlone)
{
    TestSoundCard card(TestSoundCard::Kind::CardWithNullSound);
    EXPECT_EQ(g_lAudioGlobalPan, 0);
    EXPECT_NE(zelmMessageBeep(kIconHand), 0);
    EXPECT_NE(zelmMessageBeep(0), 0);
    EXPECT_TRUE(card.Log().empty());
}

TEST_F(MessageBeepTest, OneSideSoundsAndBothChannelsComeBack)
{
    TestSoundCard card(TestSoundCard::Kind::CardWithNullSound);
    CMixer mixer;
    ASSERT_EQ(mixer.Create(0), 1);
    ASSERT_EQ(mixer.SetGlobalPlayLevel(50000), 1);  // 66 on the card

    for (long pan : {256L, -256L, 1L}) {
        g_lAudioGlobalPan = pan;
        auto before = card.Log().size();
        EXPECT_NE(zelmMessageBeep(kIconHand), 0) << pan;
        // One side was silenced (the card takes a channel at a time); the last write put
        // both back.
        auto writes = MasterWrites(card, before);
        auto oneSided = pan == 256 ? std::make_pair(66L, 0L) : std::make_pair(0L, 66L);
        EXPECT_NE(std::find(writes.begin(), writes.end(), oneSided), writes.end()) << pan;
        ASSERT_FALSE(writes.empty());
        EXPECT_EQ(writes.back(), std::make_pair(66L, 66L)) << pan;
        EXPECT_EQ(card.Values(kMasterVolume), std::make_pair(66L, 66L));
        int level = 0;
        ASSERT_EQ(mixer.GetGlobalPlayLevel(&level), 1);
        EXPECT_EQ(level, 50000);
    }
}

TEST_F(MessageBeepTest, UnevenBalanceAndMuteAreRestoredEvenWhenNothingPlays)
{
    // No sound device: the beep fails, the master still comes back as it was.
    TestSoundCard card;
    CMixer mixer;
    ASSERT_EQ(mixer.Create(0), 1);
    ASSERT_EQ(mixer.SetGlobalPlayLevel(30000, 40000), 1);
    card.SetValues(kMasterSwitch, 0, 0);
    g_lAudioGlobalPan = 256;
    EXPECT_EQ(zelmMessageBeep(48), 0);
    EXPECT_EQ(card.Values(kMasterVolume), std::make_pair(40L, 53L));
    EXPECT_EQ(card.Values(kMasterSwitch), std::make_pair(0L, 0L));
    // The sound was to play on the left only, at the louder level.
    auto writes = MasterWrites(card, 0);
    EXPECT_NE(std::find(writes.begin(), writes.end(), std::make_pair(53L, 0L)), writes.end());
}

TEST_F(MessageBeepTest, WithoutAMixerTheSoundStillPlays)
{
    TestSoundCard soundOnly(TestSoundCard::Kind::NullSoundOnly);
    g_lAudioGlobalPan = 256;
    EXPECT_NE(zelmMessageBeep(kIconHand), 0);
    TestSoundCard nothing(TestSoundCard::Kind::NoCard);
    EXPECT_EQ(zelmMessageBeep(kIconHand), 0);
}

TEST_F(MessageBeepTest, APanBeyond32BitsIsRefused)
{
    TestSoundCard card(TestSoundCard::Kind::CardWithNullSound);
    g_lAudioGlobalPan = (1L << 32) + 256;
    EXPECT_EQ(zelmMessageBeep(kIconHand), 0);
    EXPECT_TRUE(card.Log().empty());
}

}  // namespace
