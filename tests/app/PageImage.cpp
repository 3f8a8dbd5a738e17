#include "PageImage.h"

#include <algorithm>

#include "platform/base/utf8.h"

namespace {

constexpr int kRowBytes = 512;
constexpr int kHeaderBytes = 54;

// A memory DC on a white 128 x 128 page with the font selected and the page's text settings.
struct PageCanvas {
    explicit PageCanvas(const LOGFONT& logFont)
    {
        screen = ::GetDC(nullptr);
        dc = ::CreateCompatibleDC(screen);
        bitmap = ::CreateCompatibleBitmap(screen, 128, 128);
        oldBitmap = ::SelectObject(dc, bitmap);
        font = ::CreateFontIndirectA(&logFont);
        oldFont = ::SelectObject(dc, font);
        HBRUSH white = ::CreateSolidBrush(RGB(255, 255, 255));
        RECT all{0, 0, 128, 128};
        ::FillRect(dc, &all, white);
        ::DeleteObject(white);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::SetTextJustification(dc, 100, 20);
    }
    ~PageCanvas()
    {
        ::SelectObject(dc, oldFont);
        ::SelectObject(dc, oldBitmap);
        ::DeleteObject(font);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
        ::ReleaseDC(nullptr, screen);
    }
    int Width(const std::string& text) const
    {
        SIZE size{};
        ::GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
    HDC screen, dc;
    HBITMAP bitmap, oldBitmap;
    HFONT font, oldFont;
};

}  // namespace

RECT PagePixels::InkBounds() const
{
    RECT box{kWidth, kHeight, -1, -1};
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (!IsWhite(x, y)) box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                                       std::max<LONG>(box.right, x), std::max<LONG>(box.bottom, y)};
    return box;
}

PagePixels ReadPagePixels(const std::string& bytes)
{
    PagePixels page;
    page.pixels.resize(PagePixels::kWidth * PagePixels::kHeight);
    for (int y = 0; y < PagePixels::kHeight; ++y) {
        int dataRow = PagePixels::kHeight - 1 - y;
        for (int x = 0; x < PagePixels::kWidth; ++x) {
            auto at = static_cast<std::size_t>(kHeaderBytes + dataRow * kRowBytes + x * 4);
            auto b = static_cast<BYTE>(bytes[at]), g = static_cast<BYTE>(bytes[at + 1]),
                 r = static_cast<BYTE>(bytes[at + 2]);
            page.pixels[static_cast<std::size_t>(y * PagePixels::kWidth + x)] = RGB(r, g, b);
        }
    }
    return page;
}

std::vector<ReferenceLine> LayoutReferencePage(const std::string& text, const LOGFONT& font, int delSize)
{
    PageCanvas canvas(font);
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(canvas.dc, &metrics);
    std::vector<ReferenceLine> lines;
    std::size_t pos = 0;
    int top = 0;
    while (pos < text.size()) {
        if (text[pos] == ' ' && ++pos == text.size()) break;
        std::size_t end = pos;
        while (end < text.size()) {
            std::size_t next = end + zelm::platform::Utf8SequenceLength(static_cast<unsigned char>(text[end]));
            if (canvas.Width(text.substr(pos, next - pos)) > 122) break;
            end = next;
        }
        if (top + metrics.tmHeight >= 116) break;
        std::string line = text.substr(pos, end - pos);
        lines.push_back({line, top, canvas.Width(line), metrics.tmHeight});
        top += metrics.tmHeight - delSize;
        pos = end;
    }
    return lines;
}

PagePixels DrawReferencePage(const std::vector<ReferenceLine>& lines, const LOGFONT& font)
{
    PageCanvas canvas(font);
    for (const auto& line : lines)
        ::ExtTextOutA(canvas.dc, 2, line.top, 0, nullptr, line.text.data(), static_cast<UINT>(line.text.size()),
                      nullptr);
    PagePixels page;
    for (int y = 0; y < PagePixels::kHeight; ++y)
        for (int x = 0; x < PagePixels::kWidth; ++x) page.pixels.push_back(::GetPixel(canvas.dc, x, y));
    return page;
}
