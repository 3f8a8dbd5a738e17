// Measuring text on a device context, and shortening it to fit a column.
#include <cstring>

#include <zelmtools/util/TextMeasure.h>

namespace {

constexpr char kEllipsis[] = "...";
constexpr int kEllipsisLength = 3;
// The shortened text and its "..." fit the 260-byte buffer with the terminating zero.
constexpr std::size_t kShortBufferSize = 260;
constexpr std::size_t kMaxKeptBytes = kShortBufferSize - kEllipsisLength - 1;
// A character is at most four bytes in UTF-8.
constexpr std::size_t kMaxCharBytes = 4;

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The character boundary at or before `end`: never in the middle of a UTF-8 sequence
// (a run of stray continuation bytes is cut after at most three of them).
std::size_t BoundaryAtOrBefore(const char* text, std::size_t end)
{
    std::size_t i = end;
    while (i > 0 && IsContinuationByte(text[i]) && end - i < kMaxCharBytes - 1) --i;
    return i;
}

std::size_t PreviousBoundary(const char* text, std::size_t end)
{
    return end == 0 ? 0 : BoundaryAtOrBefore(text, end - 1);
}

// Where the first character ends.
std::size_t FirstCharEnd(const char* text, std::size_t length)
{
    std::size_t end = 1;
    while (end < length && end < kMaxCharBytes && IsContinuationByte(text[end])) ++end;
    return end;
}

int WidthOf(CDC* pDC, const char* text, std::size_t length)
{
    SIZE size{};
    ::GetTextExtentPoint32A(pDC->m_hDC, text, static_cast<int>(length), &size);
    return size.cx;
}

}  // namespace

CSize GetSizeStr(CDC* pDC, CFont* pFont, const char* pszText)
{
    if (!pDC || !pszText) return CSize();
    HGDIOBJ previous = pFont ? ::SelectObject(pDC->m_hDC, pFont->m_hObject) : nullptr;
    SIZE size{};
    ::GetTextExtentPoint32A(pDC->m_hDC, pszText, static_cast<int>(std::strlen(pszText)), &size);
    if (previous) ::SelectObject(pDC->m_hDC, previous);
    return CSize(size);
}

int GetWidthStr(CDC* pDC, CFont* pFont, const char* pszText)
{
    return GetSizeStr(pDC, pFont, pszText).cx;
}

int GetHeightStr(CDC* pDC, CFont* pFont, const char* pszText)
{
    return GetSizeStr(pDC, pFont, pszText).cy;
}

int GetHeightFromFont(CFont* pFont)
{
    LOGFONTA lf{};
    if (!pFont || !::GetObjectA(pFont->m_hObject, sizeof lf, &lf)) return 0;
    return lf.lfHeight;
}

const char* MakeShortString(CDC* pDC, const char* pszText, int nColumnLen, int nOffset)
{
    if (!pDC || !pszText) return pszText;
    const std::size_t length = std::strlen(pszText);
    if (length == 0 || WidthOf(pDC, pszText, length) + nOffset <= nColumnLen) return pszText;

    // One buffer per thread: shortening on two threads at once cannot mix their texts.
    thread_local char buffer[kShortBufferSize];
    const std::size_t kept = length > kMaxKeptBytes ? BoundaryAtOrBefore(pszText, kMaxKeptBytes) : length;
    std::memcpy(buffer, pszText, kept);
    const int ellipsis = WidthOf(pDC, kEllipsis, kEllipsisLength);
    const std::size_t firstChar = FirstCharEnd(pszText, length);

    // The longest cut that fits with its "..."; the first character when none does.
    std::size_t cut = firstChar;
    for (std::size_t i = kept < length ? kept : PreviousBoundary(buffer, length); i > firstChar;
         i = PreviousBoundary(buffer, i)) {
        if (WidthOf(pDC, buffer, i) + nOffset + ellipsis <= nColumnLen) {
            cut = i;
            break;
        }
    }
    std::memcpy(buffer + cut, kEllipsis, kEllipsisLength + 1);
    return buffer;
}
