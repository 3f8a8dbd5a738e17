#include "app/PageFit.h"

#include <zelmtools/framework/gdi/CDC.h>

namespace {

// The page and the rectangle that the layout measures a line in.
constexpr int kPageWidth = 128;
constexpr int kPageHeight = 116;
constexpr int kTextLeft = 2;
constexpr int kRightMargin = 6;
constexpr UINT kMeasureFlags = DT_CALCRECT | DT_NOCLIP | DT_NOPREFIX;

}  // namespace

int MeasurePageLineHeight(const LOGFONT& logFont)
{
    CDC dc;
    CFont font;
    if (!dc.CreateCompatibleDC(nullptr) || !font.CreateFontIndirect(&logFont)) return 0;
    CFont* previous = dc.SelectObject(&font);
    CRect rect(kTextLeft, 0, kPageWidth - kRightMargin, kPageHeight);
    dc.DrawText("Ag", 2, &rect, kMeasureFlags);
    dc.SelectObject(previous);
    return rect.Height();
}

CString DescribeUnfitLinePitch(const LOGFONT& logFont, int nDelSize)
{
    const int lineHeight = MeasurePageLineHeight(logFont);
    CString reason;
    if (lineHeight <= 0) {
        reason.Format("the font \"%.*s\" cannot be measured", LF_FACESIZE, logFont.lfFaceName);
    } else if (lineHeight > kPageHeight) {
        reason.Format(
            "a line of this font is %d pixels high, taller than the %d-pixel page: "
            "choose a smaller size",
            lineHeight, kPageHeight);
    } else if (lineHeight - nDelSize < 1) {
        reason.Format(
            "DelSize %d leaves a line pitch of %d pixels with this font (its lines are %d pixels "
            "high), so every line would be drawn over the one before: choose a DelSize from 0 to %d "
            "or a larger font",
            nDelSize, lineHeight - nDelSize, lineHeight, lineHeight - 1);
    }
    return reason;
}
