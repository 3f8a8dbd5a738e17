#include <gtest/gtest.h>

#include <zelmtools/platform/gdi/gdi.h>

namespace {

// A face may carry several family names; any of them names an existing face.
TEST(FontFamilyExistsTest, EveryNameOfAFamilyCounts)
{
    EXPECT_TRUE(zelm::platform::FontFamilyExists("DejaVu Sans Condensed"));
    EXPECT_TRUE(zelm::platform::FontFamilyExists("dejavu sans mono"));
    EXPECT_FALSE(zelm::platform::FontFamilyExists("DejaVu Sans Extra Imaginary"));
    EXPECT_FALSE(zelm::platform::FontFamilyExists(""));
}

}  // namespace
