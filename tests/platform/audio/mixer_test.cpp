// The mixer calls against the tests' sound card and without any card.

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include <zelmtools/platform/audio/mixer.h>

#include "support/test_sound_card.h"

namespace {

HMIXEROBJ Obj(HMIXER handle)
{
    return reinterpret_cast<HMIXEROBJ>(handle);
}
constexpr DWORD kByHandle = MIXER_OBJECTF_HMIXER;

class MixerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(mixerOpen(&m_mixer, 0, 0, 0, 0), MMSYSERR_NOERROR); }
    void TearDown() override { EXPECT_EQ(mixerClose(m_mixer), MMSYSERR_NOERROR); }

    MIXERLINEA Line(DWORD query, DWORD destination, DWORD source, DWORD lineId, DWORD component)
    {
        MIXERLINEA line{};
        line.cbStruct = sizeof line;
        line.dwDestination = destination;
        line.dwSource = source;
        line.dwLineID = lineId;
        line.dwComponentType = component;
        EXPECT_EQ(mixerGetLineInfoA(Obj(m_mixer), &line, kByHandle | query), MMSYSERR_NOERROR);
        return line;
    }
    MIXERLINEA OfType(DWORD component) { return Line(MIXER_GETLINEINFOF_COMPONENTTYPE, 0, 0, 0, component); }

    MIXERCONTROLA Control(const MIXERLINEA& line, DWORD type)
    {
        MIXERCONTROLA control{};
        MIXERLINECONTROLSA request{};
        request.cbStruct = sizeof request;
        request.dwLineID = line.dwLineID;
        request.dwControlType = type;
        request.cControls = 1;
        request.cbmxctrl = sizeof control;
        request.pamxctrl = &control;
        EXPECT_EQ(mixerGetLineControlsA(Obj(m_mixer), &request, kByHandle | MIXER_GETLINECONTROLSF_ONEBYTYPE),
                  MMSYSERR_NOERROR);
        return control;
    }

    MMRESULT Exchange(DWORD controlId, DWORD channels, DWORD items, std::vector<std::int32_t>& values, bool write)
    {
        MIXERCONTROLDETAILS details{};
        details.cbStruct = sizeof details;
        details.dwControlID = controlId;
        details.cChannels = channels;
        details.cMultipleItems = items;
        details.cbDetails = 4;
        details.paDetails = values.data();
        return write ? mixerSetControlDetails(Obj(m_mixer), &details, kByHandle)
                     : mixerGetControlDetailsA(Obj(m_mixer), &details, kByHandle);
    }
    std::vector<std::int32_t> Read(DWORD controlId, DWORD channels, DWORD items = 0)
    {
        std::vector<std::int32_t> values(channels * std::max<DWORD>(items, 1), -7);
        EXPECT_EQ(Exchange(controlId, channels, items, values, false), MMSYSERR_NOERROR);
        return values;
    }
    MMRESULT Write(DWORD controlId, std::vector<std::int32_t> values, DWORD items = 0)
    {
        DWORD channels = static_cast<DWORD>(values.size() / std::max<DWORD>(items, 1));
        return Exchange(controlId, channels, items, values, true);
    }

    TestSoundCard m_card;
    HMIXER m_mixer = nullptr;
};

TEST(MixerDevices, TheConfiguredCardIsTheOneDevice)
{
    TestSoundCard card;
    ASSERT_EQ(mixerGetNumDevs(), 1u);
    MIXERCAPSA caps{};
    ASSERT_EQ(mixerGetDevCapsA(0, &caps, sizeof caps), MMSYSERR_NOERROR);
    EXPECT_STREQ(caps.szPname, "Zelm Test Card");
    EXPECT_EQ(caps.cDestinations, 2u);
    EXPECT_EQ(mixerGetDevCapsA(1, &caps, sizeof caps), MMSYSERR_BADDEVICEID);
    HMIXER handle = reinterpret_cast<HMIXER>(1);
    EXPECT_EQ(mixerOpen(&handle, 1, 0, 0, 0), MMSYSERR_BADDEVICEID);
    EXPECT_EQ(handle, nullptr);
    // Change notifications are not delivered, so asking for them is refused.
    EXPECT_EQ(mixerOpen(&handle, 0, 0, 0, 0x00010000), MMSYSERR_NOTSUPPORTED);
}

TEST(MixerDevices, NoCardNoDeviceAndEveryCallFails)
{
    TestSoundCard noCard(TestSoundCard::Kind::NoCard);
    EXPECT_EQ(mixerGetNumDevs(), 0u);
    MIXERCAPSA caps{};
    EXPECT_EQ(mixerGetDevCapsA(0, &caps, sizeof caps), MMSYSERR_BADDEVICEID);
    HMIXER handle = nullptr;
    EXPECT_EQ(mixerOpen(&handle, 0, 0, 0, 0), MMSYSERR_BADDEVICEID);
    EXPECT_EQ(handle, nullptr);
    MIXERLINEA line{};
    line.cbStruct = sizeof line;
    line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    // Device 0 named by number: there is none.
    EXPECT_EQ(mixerGetLineInfoA(nullptr, &line, MIXER_OBJECTF_MIXER | MIXER_GETLINEINFOF_COMPONENTTYPE),
              MMSYSERR_BADDEVICEID);
    EXPECT_EQ(mixerClose(reinterpret_cast<HMIXER>(&line)), MMSYSERR_INVALHANDLE);
}

TEST_F(MixerTest, SpeakersAreTheMasterWithThePlaybackControlsAsSources)
{
    MIXERLINEA speakers = Line(MIXER_GETLINEINFOF_DESTINATION, 0, 0, 0, 0);
    EXPECT_EQ(speakers.dwComponentType, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS);
    EXPECT_STREQ(speakers.szName, "Master");
    EXPECT_EQ(speakers.cChannels, 2u);
    EXPECT_EQ(speakers.cControls, 3u);  // volume, mute, pan
    EXPECT_EQ(speakers.Target.dwType, MIXERLINE_TARGETTYPE_WAVEOUT);
    ASSERT_EQ(speakers.cConnections, 4u);
    std::set<std::pair<std::string, DWORD>> sources;
    std::set<DWORD> ids{speakers.dwLineID};
    for (DWORD n = 0; n < speakers.cConnections; ++n) {
        MIXERLINEA source = Line(MIXER_GETLINEINFOF_SOURCE, 0, n, 0, 0);
        EXPECT_NE(source.fdwLine & MIXERLINE_LINEF_SOURCE, 0u);
        EXPECT_EQ(source.cControls, source.cChannels == 2 ? 3u : 2u) << source.szName;
        sources.insert({source.szName, source.dwComponentType});
        ids.insert(source.dwLineID);
        // A line found by its identifier is the same line.
        EXPECT_STREQ(Line(MIXER_GETLINEINFOF_LINEID, 0, 0, source.dwLineID, 0).szName, source.szName);
    }
    EXPECT_EQ(ids.size(), 5u);
    EXPECT_FALSE(ids.count(0));
    std::set<std::pair<std::string, DWORD>> expected{{"PCM", MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT},
                                                     {"CD", MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC},
                                                     {"Line", MIXERLINE_COMPONENTTYPE_SRC_LINE},
                                                     {"Mic", MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE}};
    EXPECT_EQ(sources, expected);
    EXPECT_EQ(OfType(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE).cChannels, 1u);
}

TEST_F(MixerTest, RecordingIsTheCaptureSideWithTheSourceSwitchAsMultiplexer)
{
    MIXERLINEA waveIn = OfType(MIXERLINE_COMPONENTTYPE_DST_WAVEIN);
    EXPECT_EQ(waveIn.dwDestination, 1u);
    EXPECT_STREQ(waveIn.szName, "Capture");
    EXPECT_EQ(waveIn.cConnections, 3u);
    EXPECT_EQ(waveIn.cControls, 4u);  // volume, mute, pan, multiplexer
    MIXERCONTROLA mux = Control(waveIn, MIXERCONTROL_CONTROLTYPE_MUX);
    EXPECT_EQ(mux.cMultipleItems, 3u);
    EXPECT_EQ(mux.fdwControl, MIXERCONTROL_CONTROLF_MULTIPLE | MIXERCONTROL_CONTROLF_UNIFORM);

    // Two channels of three entries: every channel lists the sources.
    std::vector<MIXERCONTROLDETAILS_LISTTEXTA> texts(6);
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof details;
    details.dwControlID = mux.dwControlID;
    details.cChannels = 2;
    details.cMultipleItems = 3;
    details.cbDetails = sizeof(MIXERCONTROLDETAILS_LISTTEXTA);
    details.paDetails = texts.data();
    ASSERT_EQ(mixerGetControlDetailsA(Obj(m_mixer), &details, kByHandle | MIXER_GETCONTROLDETAILSF_LISTTEXT),
              MMSYSERR_NOERROR);
    for (int i = 0; i < 3; ++i) {
        MIXERLINEA source = Line(MIXER_GETLINEINFOF_LINEID, 0, 0, texts[i].dwParam1, 0);
        EXPECT_STREQ(source.szName, texts[i].szName);
        EXPECT_EQ(source.dwDestination, 1u);
        EXPECT_EQ(texts[i + 3].dwParam1, texts[i].dwParam1);
    }
    // The card's choice is Mic: exactly its entry is set.
    std::vector<std::int32_t> selected = Read(mux.dwControlID, 1, 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(selected[i], std::strcmp(texts[i].szName, "Mic") == 0 ? 1 : 0);

    // Choosing CD sets the card's source; choosing none or two is refused as the card
    // cannot do it, and the choice stays.
    std::vector<std::int32_t> cd(3);
    for (int i = 0; i < 3; ++i) cd[i] = std::strcmp(texts[i].szName, "CD") == 0;
    EXPECT_EQ(Write(mux.dwControlID, cd, 3), MMSYSERR_NOERROR);
    EXPECT_EQ(m_card.Values("Capture Source").first, 1);
    EXPECT_EQ(Write(mux.dwControlID, {0, 0, 0}, 3), MIXERR_INVALVALUE);
    EXPECT_EQ(Write(mux.dwControlID, {1, 1, 0}, 3), MIXERR_INVALVALUE);
    EXPECT_EQ(m_card.Values("Capture Source").first, 1);
    // An item count that is not the multiplexer's is refused.
    std::vector<std::int32_t> four(4);
    EXPECT_EQ(Exchange(mux.dwControlID, 1, 4, four, false), MMSYSERR_INVALPARAM);
}

TEST_F(MixerTest, LevelsReadBackAsWrittenAndReachTheCardScaled)
{
    MIXERCONTROLA volume = Control(OfType(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS), MIXERCONTROL_CONTROLTYPE_VOLUME);
    EXPECT_EQ(volume.Bounds.dwMaximum, 65535u);
    EXPECT_EQ(volume.Metrics.cSteps, 88u);
    ASSERT_EQ(Write(volume.dwControlID, {30000, 40000}), MMSYSERR_NOERROR);
    // 0..87 on the card.
    EXPECT_EQ(m_card.Values("Master Playback Volume"), std::make_pair(40L, 53L));
    EXPECT_EQ(Read(volume.dwControlID, 2), (std::vector<std::int32_t>{30000, 40000}));
    // One channel asked: the louder.
    EXPECT_EQ(Read(volume.dwControlID, 1), (std::vector<std::int32_t>{40000}));
    // Another handle sees the same.
    HMIXER other = nullptr;
    ASSERT_EQ(mixerOpen(&other, 0, 0, 0, 0), MMSYSERR_NOERROR);
    std::vector<std::int32_t> values(2);
    MIXERCONTROLDETAILS details{sizeof details, volume.dwControlID, 2, {}, 4, values.data()};
    EXPECT_EQ(mixerGetControlDetailsA(Obj(other), &details, kByHandle), MMSYSERR_NOERROR);
    EXPECT_EQ(values, (std::vector<std::int32_t>{30000, 40000}));
    mixerClose(other);

    // Changed by someone else: scaled from the card's own numbers (seen by a new handle:
    // the test card sends no change events to open ones).
    m_card.SetValues("Master Playback Volume", 87, 0);
    ASSERT_EQ(mixerClose(m_mixer), MMSYSERR_NOERROR);
    ASSERT_EQ(mixerOpen(&m_mixer, 0, 0, 0, 0), MMSYSERR_NOERROR);
    EXPECT_EQ(Read(volume.dwControlID, 2), (std::vector<std::int32_t>{65535, 0}));
    // One value for both channels; beyond the range is the top.
    ASSERT_EQ(Write(volume.dwControlID, {70000}), MMSYSERR_NOERROR);
    EXPECT_EQ(m_card.Values("Master Playback Volume"), std::make_pair(87L, 87L));
    EXPECT_EQ(Read(volume.dwControlID, 2), (std::vector<std::int32_t>{65535, 65535}));
}

TEST_F(MixerTest, MuteAndBalance)
{
    MIXERLINEA speakers = OfType(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS);
    MIXERCONTROLA mute = Control(speakers, MIXERCONTROL_CONTROLTYPE_MUTE);
    EXPECT_EQ(Read(mute.dwControlID, 1), (std::vector<std::int32_t>{0}));
    ASSERT_EQ(Write(mute.dwControlID, {1}), MMSYSERR_NOERROR);
    EXPECT_EQ(m_card.Values("Master Playback Switch"), std::make_pair(0L, 0L));
    EXPECT_EQ(Read(mute.dwControlID, 1), (std::vector<std::int32_t>{1}));

    MIXERCONTROLA volume = Control(speakers, MIXERCONTROL_CONTROLTYPE_VOLUME);
    MIXERCONTROLA pan = Control(speakers, MIXERCONTROL_CONTROLTYPE_PAN);
    EXPECT_EQ(pan.Bounds.lMinimum, -32768);
    ASSERT_EQ(Write(volume.dwControlID, {50000, 50000}), MMSYSERR_NOERROR);
    EXPECT_EQ(Read(pan.dwControlID, 1), (std::vector<std::int32_t>{0}));
    // Towards the left: the right channel is lowered, the left keeps the level. Two
    // channels asked of a balance read the same value into both.
    ASSERT_EQ(Write(pan.dwControlID, {-16384}), MMSYSERR_NOERROR);
    EXPECT_EQ(Read(pan.dwControlID, 2), (std::vector<std::int32_t>{-16384, -16384}));
    EXPECT_EQ(Read(volume.dwControlID, 2), (std::vector<std::int32_t>{50000, 25000}));
    ASSERT_EQ(Write(pan.dwControlID, {32767}), MMSYSERR_NOERROR);
    EXPECT_EQ(m_card.Values("Master Playback Volume"), std::make_pair(0L, 66L));
}

TEST_F(MixerTest, RequestsThatDoNotFitAreRefused)
{
    MIXERLINEA mic = OfType(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE);
    MIXERCONTROLA volume = Control(mic, MIXERCONTROL_CONTROLTYPE_VOLUME);
    std::vector<std::int32_t> two(2);
    EXPECT_EQ(Exchange(volume.dwControlID, 2, 0, two, false), MMSYSERR_INVALPARAM);  // a mono line
    EXPECT_EQ(Exchange(volume.dwControlID, 0, 0, two, false), MMSYSERR_INVALPARAM);
    EXPECT_EQ(Exchange(0x7FFFFFF0, 1, 0, two, false), MIXERR_INVALCONTROL);

    MIXERLINEA line{};
    line.cbStruct = sizeof line;
    line.dwLineID = 0x12345;
    EXPECT_EQ(mixerGetLineInfoA(Obj(m_mixer), &line, kByHandle | MIXER_GETLINEINFOF_LINEID), MIXERR_INVALLINE);
    line.cbStruct = sizeof line - 1;
    EXPECT_EQ(mixerGetLineInfoA(Obj(m_mixer), &line, kByHandle | MIXER_GETLINEINFOF_DESTINATION), MMSYSERR_INVALPARAM);
    line.cbStruct = sizeof line;
    line.dwDestination = 2;
    EXPECT_EQ(mixerGetLineInfoA(Obj(m_mixer), &line, kByHandle | MIXER_GETLINEINFOF_DESTINATION), MIXERR_INVALLINE);
    EXPECT_EQ(mixerGetLineInfoA(reinterpret_cast<HMIXEROBJ>(&line), &line, kByHandle), MMSYSERR_INVALHANDLE);

    // All controls: the count must be the line's.
    std::vector<MIXERCONTROLA> controls(3);
    MIXERLINECONTROLSA request{};
    request.cbStruct = sizeof request;
    request.dwLineID = mic.dwLineID;
    request.cControls = 3;
    request.cbmxctrl = sizeof(MIXERCONTROLA);
    request.pamxctrl = controls.data();
    EXPECT_EQ(mixerGetLineControlsA(Obj(m_mixer), &request, kByHandle | MIXER_GETLINECONTROLSF_ALL),
              MMSYSERR_INVALPARAM);
    request.cControls = 2;
    ASSERT_EQ(mixerGetLineControlsA(Obj(m_mixer), &request, kByHandle | MIXER_GETLINECONTROLSF_ALL), MMSYSERR_NOERROR);
    EXPECT_EQ(controls[0].dwControlType, MIXERCONTROL_CONTROLTYPE_VOLUME);
    EXPECT_EQ(controls[1].dwControlType, MIXERCONTROL_CONTROLTYPE_MUTE);
    request.dwControlType = MIXERCONTROL_CONTROLTYPE_PAN;
    EXPECT_EQ(mixerGetLineControlsA(Obj(m_mixer), &request, kByHandle | MIXER_GETLINECONTROLSF_ONEBYTYPE),
              MIXERR_INVALCONTROL);
}

TEST_F(MixerTest, TheCardKeepsItsStateBetweenOpens)
{
    MIXERCONTROLA volume = Control(OfType(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC), MIXERCONTROL_CONTROLTYPE_VOLUME);
    ASSERT_EQ(Write(volume.dwControlID, {0, 65535}), MMSYSERR_NOERROR);
    ASSERT_EQ(mixerClose(m_mixer), MMSYSERR_NOERROR);
    ASSERT_EQ(mixerOpen(&m_mixer, 0, 0, 0, 0), MMSYSERR_NOERROR);
    // The same identifier on the new handle, and by device number without a handle.
    EXPECT_EQ(Read(volume.dwControlID, 2), (std::vector<std::int32_t>{0, 65535}));
    std::vector<std::int32_t> values(2);
    MIXERCONTROLDETAILS details{sizeof details, volume.dwControlID, 2, {}, 4, values.data()};
    EXPECT_EQ(mixerGetControlDetailsA(nullptr, &details, MIXER_OBJECTF_MIXER), MMSYSERR_NOERROR);
    EXPECT_EQ(values, (std::vector<std::int32_t>{0, 65535}));
    EXPECT_EQ(m_card.Values("CD Playback Volume"), std::make_pair(0L, 31L));
}

}  // namespace
