// The text calls: metrics, extents, drawing at a point and formatted in a rectangle.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include <zelmtools/platform/base/errors.h>
#include "platform/base/utf8.h"
#include "platform/gdi/text_layout.h"

using namespace zelm::platform::gdi;

namespace {

struct TextTarget {
    DeviceContext* dc = nullptr;
    RealizedFont* font = nullptr;
};

TextTarget FindTextTarget(HDC hdc)
{
    DeviceContext* dc = FindDC(hdc);
    Font* font = dc ? dc->SelectedFont() : nullptr;
    if (!font) return {};
    return {dc, font->realized.get()};
}

std::string_view TextOf(LPCSTR text, int count)
{
    if (!text || count <= 0) return {};
    return {text, static_cast<std::size_t>(count)};
}

// Removes the mnemonic markers: "&&" stands for "&", a lone "&" goes.
std::string WithoutPrefixes(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        else if (text[i] == '&') continue;
        out += text[i];
    }
    return out;
}

// Measuring is the hot path of page layout: the scratch run keeps its storage.
int RunWidth(const TextTarget& t, std::string_view text)
{
    thread_local TextRun run;
    LayOutRun(*t.dc, *t.font, text, run);
    return run.width;
}

// One line measured without splitting: no line break in it, or a single-line format.
bool IsOneLine(std::string_view text, UINT format)
{
    return (format & DT_SINGLELINE) || (!(format & DT_WORDBREAK) && text.find('\n') == std::string_view::npos);
}

// Breaks one paragraph into lines no wider than maxWidth, at spaces where possible.
void WrapParagraph(const TextTarget& t, std::string_view text, int maxWidth, std::vector<std::string>& lines)
{
    while (!text.empty()) {
        std::size_t end = text.size();
        while (end > 0 && RunWidth(t, text.substr(0, end)) > maxWidth) {
            std::size_t space = text.rfind(' ', end - 1);
            if (space == std::string_view::npos || space == 0) break;
            end = space;
        }
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end);
        while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    }
}

std::vector<std::string> SplitLines(const TextTarget& t, std::string_view text, const RECT& rect, UINT format)
{
    std::vector<std::string> lines;
    if (format & DT_SINGLELINE) {
        lines.emplace_back(text);
        return lines;
    }
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view paragraph = text.substr(start, end - start);
        if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
        if (format & DT_WORDBREAK && !paragraph.empty())
            WrapParagraph(t, paragraph, rect.right - rect.left, lines);
        else
            lines.emplace_back(paragraph);
        start = end + 1;
    }
    return lines;
}

int LineLeft(const RECT& rect, int width, UINT format)
{
    if (format & DT_CENTER) return rect.left + (rect.right - rect.left - width) / 2;
    if (format & DT_RIGHT) return rect.right - width;
    return rect.left;
}

int BlockTop(const RECT& rect, int height, UINT format)
{
    if (!(format & DT_SINGLELINE)) return rect.top;
    if (format & DT_VCENTER) return rect.top + (rect.bottom - rect.top - height) / 2;
    if (format & DT_BOTTOM) return rect.bottom - height;
    return rect.top;
}

}  // namespace

BOOL GetTextMetricsA(HDC hdc, TEXTMETRICA* lptm)
{
    TextTarget t = FindTextTarget(hdc);
    if (!t.font || !lptm) return FALSE;
    const FontMetrics& m = t.font->Metrics();
    const LOGFONTA& lf = t.font->Request();
    *lptm = TEXTMETRICA{};
    lptm->tmHeight = m.Height();
    lptm->tmAscent = m.ascent;
    lptm->tmDescent = m.descent;
    lptm->tmInternalLeading = m.internalLeading;
    lptm->tmAveCharWidth = m.aveCharWidth;
    lptm->tmMaxCharWidth = m.maxCharWidth;
    lptm->tmWeight = lf.lfWeight ? lf.lfWeight : FW_NORMAL;
    lptm->tmDigitizedAspectX = lptm->tmDigitizedAspectY = 96;
    lptm->tmFirstChar = 0x20;
    lptm->tmLastChar = 0xFF;
    lptm->tmDefaultChar = '?';
    lptm->tmBreakChar = ' ';
    lptm->tmItalic = lf.lfItalic;
    lptm->tmUnderlined = lf.lfUnderline;
    lptm->tmStruckOut = lf.lfStrikeOut;
    lptm->tmPitchAndFamily = lf.lfPitchAndFamily;
    lptm->tmCharSet = lf.lfCharSet;
    return TRUE;
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, SIZE* psizl)
{
    TextTarget t = FindTextTarget(hdc);
    if (!t.font || !psizl || c < 0 || (c > 0 && !lpString)) return FALSE;
    *psizl = {RunWidth(t, TextOf(lpString, c)), t.font->Metrics().Height()};
    return TRUE;
}

BOOL GetTextExtentExPointA(HDC hdc, LPCSTR lpszString, int cchString, int nMaxExtent, INT* lpnFit, INT* lpnDx,
                           SIZE* lpSize)
{
    TextTarget t = FindTextTarget(hdc);
    if (!t.font || cchString < 0 || (cchString > 0 && !lpszString)) return FALSE;
    const std::string_view text = TextOf(lpszString, cchString);
    thread_local TextRun run;
    LayOutRun(*t.dc, *t.font, text, run);
    // The layout places each glyph from the run's start, so the pen before glyph g + 1
    // is exactly the width of the first g + 1 characters measured on their own.
    int fit = 0;
    bool fitting = true;
    std::size_t glyph = 0;
    for (std::size_t pos = 0; pos < text.size(); ++glyph) {
        const bool ascii = static_cast<unsigned char>(text[pos]) < 0x80;
        const std::size_t end = pos + (ascii ? 1 : zelm::platform::Utf8CharacterLength(text, pos));
        const int width = glyph + 1 < run.offsets.size() ? run.offsets[glyph + 1] : run.width;
        if (lpnDx) std::fill(lpnDx + pos, lpnDx + end, width);
        fitting = fitting && width <= nMaxExtent;
        if (fitting) fit = static_cast<int>(end);
        pos = end;
    }
    if (lpnFit) *lpnFit = fit;
    if (lpSize) *lpSize = {run.width, t.font->Metrics().Height()};
    return TRUE;
}

BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR lpString, UINT c, const INT* lpDx)
{
    TextTarget t = FindTextTarget(hdc);
    if (!t.font || (c > 0 && !lpString)) return FALSE;
    if (!t.dc->Target().bits) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if ((options & ETO_OPAQUE) && lprect) {
        HBRUSH background = CreateSolidBrush(t.dc->bkColor);
        FillRect(hdc, lprect, background);
        DeleteObject(background);
    }
    TextRun run;
    LayOutRun(*t.dc, *t.font, TextOf(lpString, static_cast<int>(c)), run, lpDx);
    PaintRun(*t.dc, *t.font, x, y, run, (options & ETO_CLIPPED) ? lprect : nullptr);
    return TRUE;
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c)
{
    return c < 0 ? FALSE : ExtTextOutA(hdc, x, y, 0, nullptr, lpString, static_cast<UINT>(c), nullptr);
}

int DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format)
{
    TextTarget t = FindTextTarget(hdc);
    if (!t.font || !lprc) return 0;
    if (cchText < 0) cchText = lpchText ? static_cast<int>(std::char_traits<char>::length(lpchText)) : 0;
    const std::string_view raw = TextOf(lpchText, cchText);
    if ((format & DT_CALCRECT) && (format & DT_NOPREFIX) && IsOneLine(raw, format)) {
        lprc->right = lprc->left + RunWidth(t, raw);
        lprc->bottom = lprc->top + t.font->Metrics().Height();
        return t.font->Metrics().Height();
    }
    std::string text(raw);
    if (!(format & DT_NOPREFIX)) text = WithoutPrefixes(text);

    const int lineHeight = t.font->Metrics().Height();
    const std::vector<std::string> lines = SplitLines(t, text, *lprc, format);
    const int height = lineHeight * static_cast<int>(lines.size());
    if (format & DT_CALCRECT) {
        int width = 0;
        for (const auto& line : lines) width = std::max(width, RunWidth(t, line));
        lprc->right = lprc->left + width;
        lprc->bottom = lprc->top + height;
        return height;
    }
    if (!t.dc->Target().bits) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    int y = BlockTop(*lprc, height, format);
    for (const auto& line : lines) {
        TextRun run;
        LayOutRun(*t.dc, *t.font, line, run);
        PaintRun(*t.dc, *t.font, LineLeft(*lprc, run.width, format), y, run, (format & DT_NOCLIP) ? nullptr : lprc);
        y += lineHeight;
    }
    return height;
}
