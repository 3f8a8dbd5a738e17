// System sounds: played into a null sound device, and refused without any.

#include "platform/audio/sound.h"

#include <gtest/gtest.h>

#include "support/test_sound_card.h"

namespace {

const char* const kSystemSounds[] = {"SystemDefault", "SystemHand", "SystemQuestion", "SystemExclamation",
                                     "SystemAsterisk"};

TEST(Sound, SystemSoundsPlayToTheEnd)
{
    TestSoundCard card(TestSoundCard::Kind::CardWithNullSound);
    for (const char* name : kSystemSounds) EXPECT_TRUE(PlaySoundA(name, nullptr, SND_SYNC)) << name;
    for (UINT type : {0u, 0x10u, 0x20u, 0x30u, 0x40u, 0x11u, 0xFFFFFFFFu}) EXPECT_TRUE(MessageBeep(type)) << type;
    // An unknown event plays the default sound unless told not to.
    EXPECT_TRUE(PlaySoundA("NoSuchSound", nullptr, SND_ALIAS));
    EXPECT_FALSE(PlaySoundA("NoSuchSound", nullptr, SND_ALIAS | SND_NODEFAULT));
    EXPECT_FALSE(PlaySoundA("SystemHand", nullptr, SND_LOOP | SND_ASYNC));
    EXPECT_TRUE(PlaySoundA(nullptr, nullptr, 0));
}

TEST(Sound, NothingPlaysWithoutADevice)
{
    TestSoundCard card;
    for (const char* name : kSystemSounds) EXPECT_FALSE(PlaySoundA(name, nullptr, SND_SYNC)) << name;
    EXPECT_FALSE(MessageBeep(0x30));
}

}  // namespace
