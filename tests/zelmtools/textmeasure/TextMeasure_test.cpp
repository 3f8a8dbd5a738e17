// Text sizes on device contexts and windows, font heights, shortened texts and
// blended colours.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <zelmtools/framework/dialogs/CDialog.h>
#include <zelmtools/util/TextMeasure.h>

namespace {

class MemoryDC : public CDC {
public:
    MemoryDC() { CreateCompatibleDC(nullptr); }
};

class TestFont : public CFont {
public:
    explicit TestFont(LONG height, const char* face = "DejaVu Sans")
    {
        LOGFONTA lf{};
        lf.lfHeight = height;
        lf.lfWeight = FW_NORMAL;
        std::strcpy(lf.lfFaceName, face);
        CreateFontIndirect(&lf);
    }
};

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

int Width(CDC& dc, const std::string& text)
{
    return GetWidthStr(&dc, nullptr, text.c_str());
}

// The shortened text is a prefix of the text, cut on a character boundary, then "...".
void ExpectShortenedFrom(const char* shortened, const std::string& text)
{
    const std::string result(shortened);
    ASSERT_GE(result.size(), 4u);
    ASSERT_EQ(result.substr(result.size() - 3), "...");
    const std::string kept = result.substr(0, result.size() - 3);
    EXPECT_EQ(text.compare(0, kept.size(), kept), 0) << result;
    EXPECT_FALSE(IsContinuationByte(text[kept.size()])) << result;
}

}  // namespace

TEST(GetSizeStr, MeasuresInTheGivenFontAndPutsTheContextsFontBack)
{
    MemoryDC dc;
    TestFont small(-10), large(-30);
    HGDIOBJ before = ::GetCurrentObject(dc, OBJ_FONT);
    const CSize smallSize = GetSizeStr(&dc, &small, "Measured text");
    const CSize largeSize = GetSizeStr(&dc, &large, "Measured text");
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), before);
    EXPECT_GT(smallSize.cx, 0);
    EXPECT_GT(largeSize.cx, 2 * smallSize.cx);
    EXPECT_GT(largeSize.cy, 2 * smallSize.cy);
    EXPECT_EQ(GetWidthStr(&dc, &large, "Measured text"), largeSize.cx);
    EXPECT_EQ(GetHeightStr(&dc, &large, "Measured text"), largeSize.cy);
    EXPECT_LT(GetWidthStr(&dc, &large, "Measured"), largeSize.cx);
    // No font: the context's own.
    EXPECT_EQ(GetSizeStr(&dc, nullptr, "x"), GetSizeStr(&dc, CFont::FromHandle(before), "x"));
}

TEST(GetSizeStr, OnAWindowMeasuresAsOnAContextAndInTheWindowsOwnFont)
{
    CDialog dialog(6200);
    ASSERT_TRUE(dialog.Create(6200));
    MemoryDC dc;
    TestFont font(-25);
    const char* text = "Выбор строки";
    EXPECT_EQ(GetSizeStr(&dialog, &font, text), GetSizeStr(&dc, &font, text));
    CWnd* tree = dialog.GetDlgItem(6201);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(GetSizeStr(tree, &font, text), GetSizeStr(&dc, &font, text));
    EXPECT_EQ(GetWidthStr(tree, &font, text), GetSizeStr(&dc, &font, text).cx);

    // The dialog's font: 8 points at 96 dots per inch, shared by its controls.
    auto windowFont = reinterpret_cast<HFONT>(dialog.SendMessage(WM_GETFONT));
    ASSERT_NE(windowFont, nullptr);
    EXPECT_EQ(GetHeightFromFont(CFont::FromHandle(windowFont)), -11);
    EXPECT_EQ(GetTextExtentFor(&dialog, text), GetSizeStr(&dc, CFont::FromHandle(windowFont), text));
    EXPECT_EQ(GetTextExtentFor(tree, text), GetTextExtentFor(&dialog, text));
    EXPECT_LT(GetTextExtentFor(&dialog, text).cx, GetSizeStr(&dc, &font, text).cx);
    dialog.DestroyWindow();
}

TEST(GetHeightFromFont, IsTheStoredHeightEitherWay)
{
    TestFont character(-17), cell(21);
    EXPECT_EQ(GetHeightFromFont(&character), -17);
    EXPECT_EQ(GetHeightFromFont(&cell), 21);
    EXPECT_EQ(GetHeightFromFont(nullptr), 0);
}

TEST(MakeShortString, ReturnsTheTextItselfWhenItFitsElseTheLongestFittingCut)
{
    MemoryDC dc;
    TestFont font(-14);
    dc.SelectObject(&font);
    const std::string text = "A rather long column text";
    const int full = Width(dc, text);

    const char empty[] = "";
    EXPECT_EQ(MakeShortString(&dc, empty, 0, 10), empty);
    EXPECT_EQ(MakeShortString(&dc, text.c_str(), full + 5, 5), text.c_str());

    const int column = full / 2 + 4;
    const char* shortened = MakeShortString(&dc, text.c_str(), column, 4);
    ASSERT_NE(shortened, text.c_str());
    ExpectShortenedFrom(shortened, text);
    EXPECT_LE(Width(dc, shortened) + 4, column);
    // One character more would not fit.
    const std::size_t kept = std::strlen(shortened) - 3;
    EXPECT_GT(Width(dc, text.substr(0, kept + 1) + "...") + 4, column);

    // Nothing fits: the first character stays.
    EXPECT_STREQ(MakeShortString(&dc, text.c_str(), 1, 0), "A...");
}

TEST(MakeShortString, CutsOnCharacterBoundariesAndNeverOverrunsItsBuffer)
{
    MemoryDC dc;
    TestFont font(-14);
    dc.SelectObject(&font);
    const std::string cyrillic = "Съешь же ещё этих мягких французских булок";
    for (int column = 1; column < Width(dc, cyrillic); column += 7)
        ExpectShortenedFrom(MakeShortString(&dc, cyrillic.c_str(), column, 0), cyrillic);
    EXPECT_STREQ(MakeShortString(&dc, cyrillic.c_str(), 1, 0), "С...");

    // Longer than the buffer holds, with a column wide enough for all of it but one.
    std::string longText;
    while (longText.size() < 1000) longText += "ж";
    const char* shortened = MakeShortString(&dc, longText.c_str(), Width(dc, longText) - 1, 0);
    EXPECT_LE(std::strlen(shortened), 259u);
    ExpectShortenedFrom(shortened, longText);
}

TEST(MakeShortString, ThreadsShorteningAtOnceKeepTheirOwnTexts)
{
    auto shorten = [](const std::string& text, std::vector<std::string>* results) {
        MemoryDC dc;
        TestFont font(-14);
        dc.SelectObject(&font);
        for (int i = 0; i < 200; ++i) results->emplace_back(MakeShortString(&dc, text.c_str(), 60, 0));
    };
    const std::string first = "First thread's rather long text";
    const std::string second = "Second thread's even longer text";
    std::vector<std::string> firstResults, secondResults;
    std::thread a(shorten, first, &firstResults), b(shorten, second, &secondResults);
    a.join();
    b.join();
    ASSERT_EQ(firstResults.size(), 200u);
    ASSERT_EQ(secondResults.size(), 200u);
    for (const auto& result : firstResults) ExpectShortenedFrom(result.c_str(), first);
    for (const auto& result : secondResults) ExpectShortenedFrom(result.c_str(), second);
}

TEST(GetColorWeight, BlendsEachChannelCutTowardZeroAndWrapped)
{
    const COLORREF red = 0x0000FF, blue = 0xFF0000;
    EXPECT_EQ(GetColorWeight(red, blue, 0.5), 0x7F007Fu);
    EXPECT_EQ(GetColorWeight(red, blue, 0.0), red);
    EXPECT_EQ(GetColorWeight(red, blue, 1.0), blue);
    // 0 + 200 x 1.5 = 300 wraps to 44; 0 + 1 x -1 = -1 wraps to 255.
    EXPECT_EQ(GetColorWeight(0x000000, 0x0000C8, 1.5), 44u);
    EXPECT_EQ(GetColorWeight(0x000000, 0x000100, -1.0), 0xFF00u);
    // The top byte of the inputs never reaches the result.
    EXPECT_EQ(GetColorWeight(0xFF000000, 0xFF000000, 0.5), 0u);
    // Weights far outside any integer's range, and no number at all, still give a colour.
    EXPECT_EQ(GetColorWeight(0x000000, 0xFFFFFF, 1e300) & 0xFF000000, 0u);
    EXPECT_EQ(GetColorWeight(0x102030, 0xFFFFFF, std::nan("")), 0u);
}
