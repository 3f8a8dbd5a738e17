// CMixer against the tests' sound card (0..87 master, 0..31 lines).

#include <gtest/gtest.h>

#include <zelmtools/audio/Mixer.h>

#include "support/test_sound_card.h"

namespace {

using SourceArray = CArray<tagsrcLineInfo, tagsrcLineInfo&>;

class CMixerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(m_mixer.Create(0), 1); }

    TestSoundCard m_card;
    CMixer m_mixer;
};

TEST(CMixerLifecycle, NewObjectsAndDeviceNumbers)
{
    TestSoundCard card;
    CMixer mixer;
    EXPECT_EQ(mixer.IsCreated(), 0);
    int level = -1;
    EXPECT_EQ(mixer.GetGlobalPlayLevel(&level), 0);
    EXPECT_EQ(level, -1);
    // Not created is not a mixer that answered: no line, nothing selected.
    EXPECT_EQ(mixer.FindLineId(1, MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT), 0u);
    EXPECT_EQ(mixer.SelectRecordSrc(MIXERLINE_COMPONENTTYPE_SRC_LINE, 0), 0);
    EXPECT_EQ(card.Values("Capture Source").first, 0);
    // The source list works on device 0 without Create.
    SourceArray sources;
    EXPECT_EQ(mixer.FillRecSrcLinesArray(&sources), 1);
    EXPECT_EQ(sources.GetSize(), 3);

    ASSERT_EQ(CMixer::GetDeviceNum(), 1);
    EXPECT_EQ(mixer.Create(CMixer::GetDeviceNum()), 0);
    EXPECT_EQ(mixer.Create(-1), 0);
    EXPECT_EQ(mixer.IsCreated(), 0);
    EXPECT_EQ(mixer.Create(0), 1);
    CMixer copy(mixer);
    EXPECT_EQ(copy.IsCreated(), 1);
    EXPECT_EQ(mixer.Release(), 1);
    EXPECT_EQ(mixer.IsCreated(), 0);
    copy = mixer;
    EXPECT_EQ(copy.IsCreated(), 0);
}

TEST(CMixerLifecycle, NoCardNothingAnswers)
{
    TestSoundCard noCard(TestSoundCard::Kind::NoCard);
    CMixer mixer;
    EXPECT_EQ(CMixer::GetDeviceNum(), 0);
    EXPECT_EQ(mixer.Create(0), 0);
    EXPECT_EQ(mixer.IsCreated(), 0);
    SourceArray sources;
    EXPECT_EQ(mixer.FillRecSrcLinesArray(&sources), 0);
    EXPECT_EQ(sources.GetSize(), 0);
    EXPECT_EQ(mixer.FindLineId(0, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE), 0u);
    EXPECT_EQ(mixer.SelectRecordSrc(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, 0), 0);
    EXPECT_EQ(mixer.SetGlobalPlayLevel(1000), 0);
}

TEST_F(CMixerTest, MasterLevelIsTheLouderChannelAndSettingItUnmutes)
{
    ASSERT_EQ(m_mixer.SetGlobalPlayLevel(30000, 40000), 1);
    EXPECT_EQ(m_card.Values("Master Playback Volume"), std::make_pair(40L, 53L));
    int level = 0;
    ASSERT_EQ(m_mixer.GetGlobalPlayLevel(&level), 1);
    EXPECT_EQ(level, 40000);

    m_card.SetValues("Master Playback Switch", 0, 0);
    ASSERT_EQ(m_mixer.SetGlobalPlayLevel(20000), 1);
    EXPECT_EQ(m_card.Values("Master Playback Volume"), std::make_pair(27L, 27L));
    EXPECT_EQ(m_card.Values("Master Playback Switch"), std::make_pair(1L, 1L));
    ASSERT_EQ(m_mixer.GetGlobalPlayLevel(&level), 1);
    EXPECT_EQ(level, 20000);
}

TEST_F(CMixerTest, MasterBalanceIsA32BitValue)
{
    ASSERT_EQ(m_mixer.SetGlobalPlayLevel(65535), 1);
    ASSERT_EQ(m_mixer.SetGlobalPlayPan(-16384), 1);
    long pan = 0;
    ASSERT_EQ(m_mixer.GetGlobalPlayPan(&pan), 1);
    EXPECT_EQ(pan, -16384);
    EXPECT_EQ(m_card.Values("Master Playback Volume"), std::make_pair(87L, 44L));
    // Beyond 32 bits it is refused, not cut to a small balance.
    EXPECT_EQ(m_mixer.SetGlobalPlayPan((1L << 32) + 100), 0);
    ASSERT_EQ(m_mixer.GetGlobalPlayPan(&pan), 1);
    EXPECT_EQ(pan, -16384);
}

TEST_F(CMixerTest, PlaybackLinesByComponentTypeIdentifiersOnlyForReading)
{
    ASSERT_EQ(m_mixer.SetPlaySrcVolume(65535, MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, 0), 1);
    EXPECT_EQ(m_card.Values("CD Playback Volume"), std::make_pair(31L, 31L));
    ASSERT_EQ(m_mixer.SetPlaySrcVolume(12345, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, 0), 1);
    int level = 0;
    ASSERT_EQ(m_mixer.GetPlaySrcVolume(&level, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, 0), 1);
    EXPECT_EQ(level, 12345);
    DWORD cd = m_mixer.FindLineId(1, MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC);
    ASSERT_NE(cd, 0u);
    ASSERT_EQ(m_mixer.GetPlaySrcVolume(&level, cd, 1), 1);
    EXPECT_EQ(level, 65535);
    // Identifiers are refused for writing, and the card is untouched.
    auto before = m_card.Log().size();
    EXPECT_EQ(m_mixer.SetPlaySrcVolume(0, cd, 1), 0);
    EXPECT_EQ(m_mixer.MutePlaySrcVolume(1, cd, 1), 0);
    EXPECT_EQ(m_card.Log().size(), before);

    ASSERT_EQ(m_mixer.MutePlaySrcVolume(1, MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, 0), 1);
    EXPECT_EQ(m_card.Values("PCM Playback Switch"), std::make_pair(0L, 0L));
    ASSERT_EQ(m_mixer.MutePlaySrcVolume(0, MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, 0), 1);
    EXPECT_EQ(m_card.Values("PCM Playback Switch"), std::make_pair(1L, 1L));
    // A line the card does not have.
    EXPECT_EQ(m_mixer.SetPlaySrcVolume(100, MIXERLINE_COMPONENTTYPE_SRC_TELEPHONE, 0), 0);
    EXPECT_EQ(m_mixer.FindLineId(1, MIXERLINE_COMPONENTTYPE_SRC_TELEPHONE), 0u);
}

TEST_F(CMixerTest, RecordingSources)
{
    SourceArray sources;
    ASSERT_EQ(m_mixer.FillRecSrcLinesArray(&sources), 1);
    ASSERT_EQ(m_mixer.FillRecSrcLinesArray(&sources), 1);
    ASSERT_EQ(sources.GetSize(), 6);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sources[i].dwLineID, sources[i + 3].dwLineID);
        EXPECT_STREQ(sources[i].strName, sources[i + 3].strName);
    }
    DWORD mic = m_mixer.FindLineId(0, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE);
    DWORD cd = m_mixer.FindLineId(0, MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC);
    ASSERT_NE(mic, 0u);
    EXPECT_NE(mic, m_mixer.FindLineId(1, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE));
    bool listed = false;
    for (int i = 0; i < 3; ++i) listed = listed || (sources[i].dwLineID == mic && sources[i].strName == "Mic");
    EXPECT_TRUE(listed);

    // Capture Source items: Mic 0, CD 1, Line 2.
    ASSERT_EQ(m_mixer.SelectRecordSrc(MIXERLINE_COMPONENTTYPE_SRC_LINE, 0), 1);
    EXPECT_EQ(m_card.Values("Capture Source").first, 2);
    ASSERT_EQ(m_mixer.SelectRecordSrc(cd, 1), 1);
    EXPECT_EQ(m_card.Values("Capture Source").first, 1);
    // An identifier the multiplexer does not list selects nothing, which this card,
    // always recording from one of its inputs, refuses; no recording line of a type: 0.
    EXPECT_EQ(m_mixer.SelectRecordSrc(0x12345, 1), 0);
    EXPECT_EQ(m_mixer.SelectRecordSrc(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, 0), 0);
    EXPECT_EQ(m_card.Values("Capture Source").first, 1);
}

TEST_F(CMixerTest, RecordingLevels)
{
    ASSERT_EQ(m_mixer.SetRecordSrcVolume(30000, MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, 0), 1);
    EXPECT_EQ(m_card.Values("CD Capture Volume"), std::make_pair(14L, 14L));
    EXPECT_EQ(m_card.Values("CD Playback Volume"), TestSoundCard::Defaults().at("CD Playback Volume"));
    ASSERT_EQ(m_mixer.SetRecordSrcVolume(65535, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, 0), 1);
    EXPECT_EQ(m_card.Values("Mic Capture Volume").first, 31);
    int level = 0;
    ASSERT_EQ(m_mixer.GetRecordSrcVolume(&level, MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, 0), 1);
    EXPECT_EQ(level, 30000);
    // No source of the type: 1, level untouched; identifiers: refused.
    level = -1;
    EXPECT_EQ(m_mixer.GetRecordSrcVolume(&level, MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, 0), 1);
    EXPECT_EQ(level, -1);
    EXPECT_EQ(m_mixer.GetRecordSrcVolume(&level, m_mixer.FindLineId(0, MIXERLINE_COMPONENTTYPE_SRC_LINE), 1), 0);
    EXPECT_EQ(m_mixer.SetRecordSrcVolume(0, m_mixer.FindLineId(0, MIXERLINE_COMPONENTTYPE_SRC_LINE), 1), 0);
}

}  // namespace
