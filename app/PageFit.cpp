#include "app/PageFit.h"

#include "framework/gdi/CDC.h"

namespace {

constexpr int kPageHeight = 116;
constexpr char kSample[] = "Тест";

// The height of one line in the font, measured as the renderer measures its lines.
int LineHeight(const LOGFONT& logFont)
{
    CDC dc;
    if (!dc.CreateCompatibleDC(nullptr)) return 0;
    CFont font;
    if (!font.CreateFontIndirect(&logFont)) return 0;
    CFont* previous = dc.SelectObject(&font);
    CRect rect(0, 0, 0, 0);
    dc.DrawText(kSample, -1, &rect, DT_CALCRECT | DT_NOPREFIX);
    dc.SelectObject(previous);
    return rect.Height();
}

}  // namespace

CString DescribeUnfitLinePitch(const LOGFONT& logFont, int nDelSize)
{
    const int height = LineHeight(logFont);
    CString reason;
    if (height <= 0)
        reason = "The font cannot be measured: choose another font.";
    else if (height > kPageHeight)
        reason.Format("A line of this font is %d pixels high, more than the %d-pixel page.\nChoose a smaller font.",
                      height, kPageHeight);
    else if (height - nDelSize < 1)
        reason.Format(
            "With DelSize %d the lines of this font (%d pixels high) would not move down the page.\n"
            "Choose a DelSize below %d or a larger font.",
            nDelSize, height, height);
    return reason;
}
