#include "framework/commdlg/FileFilter.h"

#include <gtest/gtest.h>

namespace {

TEST(FileFilterTest, PairsBecomeNameFiltersAndStarDotStarMeansEveryFile)
{
    const char filter[] = "All Files (*.*)\0*.*\0Тексты\0*.txt; *.text\0\0";
    QStringList filters = zelm::framework::NameFiltersFromFilter(filter);
    ASSERT_EQ(filters.size(), 2);
    EXPECT_EQ(filters[0], "All Files (*.*) (*)");
    EXPECT_EQ(filters[1], QString::fromUtf8("Тексты (*.txt *.text)"));
}

TEST(FileFilterTest, MissingOrUnfinishedFiltersGiveOnlyWholePairs)
{
    EXPECT_TRUE(zelm::framework::NameFiltersFromFilter(nullptr).isEmpty());
    EXPECT_TRUE(zelm::framework::NameFiltersFromFilter("").isEmpty());
    const char unfinished[] = "Images\0*.bmp\0Lonely description\0\0";
    EXPECT_EQ(zelm::framework::NameFiltersFromFilter(unfinished), QStringList{"Images (*.bmp)"});
}

}  // namespace
