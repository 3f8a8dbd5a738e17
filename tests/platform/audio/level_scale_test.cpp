// Level scaling between the mixer interface's numbers and a card control's range.

#include "platform/audio/level_scale.h"

#include <gtest/gtest.h>

using namespace zelm::platform::audio;

TEST(LevelScale, EveryCardValueSurvivesTheRoundTrip)
{
    for (auto [low, high] : {std::pair{0L, 1L}, {0L, 31L}, {0L, 87L}, {-10239L, 0L}, {0L, 65536L}, {5L, 5L}})
        for (long raw = low; raw <= high; raw += 1 + (high - low) / 4000)
            EXPECT_EQ(LevelToRaw(RawToLevel(raw, low, high), low, high), raw) << low << ".." << high;
    EXPECT_EQ(RawToLevel(87, 0, 87), 65535);
    EXPECT_EQ(LevelToRaw(-5, 0, 87), 0);
    EXPECT_EQ(LevelToRaw(99999, 0, 87), 87);
}

TEST(LevelScale, BalanceOfTwoLevels)
{
    long left = 0, right = 0;
    for (long pan : {-32768L, -16384L, -1L, 0L, 1L, 20000L, 32767L}) {
        LevelsOfPan(pan, 65535, left, right);
        EXPECT_EQ(std::max(left, right), 65535);
        EXPECT_NEAR(PanOfLevels(left, right), pan, 1) << pan;
    }
    EXPECT_EQ(PanOfLevels(0, 0), 0);
    LevelsOfPan(-32768, 1000, left, right);
    EXPECT_EQ(right, 0);
}
