// The check that a font and DelSize can make pages, against what the layout measures.
#include "app/PageFit.h"

#include <gtest/gtest.h>

#include <cstring>

#include "JobRunner.h"
#include "support/temp_dir.h"

namespace {

LOGFONT FontOfSize(int px)
{
    LOGFONT font = JobSettings::DefaultTestFont();
    font.lfHeight = -px;
    return font;
}

}  // namespace

TEST(PageFit, APitchBelowOnePixelOrALineTallerThanThePageIsRefused)
{
    const int lineHeight = MeasurePageLineHeight(FontOfSize(12));
    ASSERT_GT(lineHeight, 10);
    EXPECT_EQ(DescribeUnfitLinePitch(FontOfSize(12), 3), "");
    EXPECT_EQ(DescribeUnfitLinePitch(FontOfSize(12), lineHeight - 1), "") << "a pitch of one pixel still works";
    CString same = DescribeUnfitLinePitch(FontOfSize(12), lineHeight);
    EXPECT_NE(same.Find("DelSize"), -1) << same.GetString();
    EXPECT_NE(DescribeUnfitLinePitch(FontOfSize(12), 30), "");
    EXPECT_NE(DescribeUnfitLinePitch(FontOfSize(2), 3), "");

    CString huge = DescribeUnfitLinePitch(FontOfSize(600), 0);
    EXPECT_NE(huge.Find("taller"), -1) << huge.GetString();
    int largest = 80;
    ASSERT_EQ(DescribeUnfitLinePitch(FontOfSize(largest), 0), "");
    while (DescribeUnfitLinePitch(FontOfSize(largest + 1), 0).IsEmpty()) ++largest;
    EXPECT_LE(MeasurePageLineHeight(FontOfSize(largest)), 116);
    EXPECT_GT(MeasurePageLineHeight(FontOfSize(largest + 1)), 116);
}

TEST(PageFit, EveryLineOfAnAcceptedPitchIsOnThePage)
{
    // The smallest pitch accepted: each line one pixel below the one before, so a page
    // holds the whole 500-byte window in rows that all lie on the page.
    TempDir dir;
    WriteFile(dir.file("in.txt"), std::string(600, 'x'));
    TempDir out;
    JobSettings settings;
    settings.delSize = MeasurePageLineHeight(settings.font) - 1;
    ASSERT_EQ(DescribeUnfitLinePitch(settings.font, settings.delSize), "");
    JobResult result = RunRenderJob(dir.file("in.txt"), out.folder(), settings);
    EXPECT_EQ(result.pagesWritten, 2);
    EXPECT_TRUE(result.messages.empty());
}
