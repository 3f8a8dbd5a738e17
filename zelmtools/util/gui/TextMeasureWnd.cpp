// Measuring text on a window: on a client-area context, in a given font or in the
// window's own.
#include <zelmtools/framework/windows/CClientDC.h>
#include <zelmtools/util/TextMeasure.h>

CSize GetSizeStr(CWnd* pWnd, CFont* pFont, const char* pszText)
{
    if (!pWnd) return CSize();
    CClientDC dc(pWnd);
    return GetSizeStr(&dc, pFont, pszText);
}

int GetWidthStr(CWnd* pWnd, CFont* pFont, const char* pszText)
{
    return GetSizeStr(pWnd, pFont, pszText).cx;
}

int GetHeightStr(CWnd* pWnd, CFont* pFont, const char* pszText)
{
    return GetSizeStr(pWnd, pFont, pszText).cy;
}

CSize GetTextExtentFor(CWnd* pWnd, const char* pszText)
{
    if (!pWnd) return CSize();
    auto font = reinterpret_cast<HFONT>(pWnd->SendMessage(WM_GETFONT));
    return GetSizeStr(pWnd, font ? CFont::FromHandle(font) : nullptr, pszText);
}
