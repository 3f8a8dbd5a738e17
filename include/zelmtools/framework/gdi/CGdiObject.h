#pragma once
// Wrappers of GDI objects. A wrapper owns its handle and deletes it when destroyed;
// handles met without a wrapper (the object a selection replaced) get a temporary
// wrapper that lives as long as the thread.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/framework/core/CObject.h>
#include <zelmtools/framework/types/CRect.h>
#include <zelmtools/platform/gdi/gdi.h>

class ZELM_API CGdiObject : public CObject {
    DECLARE_DYNAMIC(CGdiObject)

public:
    CGdiObject() = default;
    ~CGdiObject() override;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }

    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int nCount, LPVOID lpObject) const { return ::GetObject(m_hObject, nCount, lpObject); }
    BOOL CreateStockObject(int nIndex);

    static CGdiObject* FromHandle(HGDIOBJ hObject);
};

class ZELM_API CBitmap : public CGdiObject {
    DECLARE_DYNAMIC(CBitmap)

public:
    // The bitmap resource with this number, found through the resource chain.
    BOOL LoadBitmap(UINT nIDResource);
    BOOL LoadBitmap(LPCSTR lpszResourceName);
    BOOL CreateCompatibleBitmap(class CDC* pDC, int nWidth, int nHeight);
    int GetBitmap(BITMAP* pBitMap) { return ::GetObject(m_hObject, sizeof(BITMAP), pBitMap); }
    DWORD GetBitmapBits(DWORD dwCount, LPVOID lpBits) const
    {
        return static_cast<DWORD>(::GetBitmapBits(m_hObject, static_cast<LONG>(dwCount), lpBits));
    }
    static CBitmap* FromHandle(HBITMAP hBitmap);
};

class ZELM_API CFont : public CGdiObject {
    DECLARE_DYNAMIC(CFont)

public:
    BOOL CreateFontIndirect(const LOGFONT* lpLogFont) { return Attach(::CreateFontIndirect(lpLogFont)); }
    int GetLogFont(LOGFONT* pLogFont) { return ::GetObject(m_hObject, sizeof(LOGFONT), pLogFont); }
    static CFont* FromHandle(HFONT hFont);
};

class ZELM_API CBrush : public CGdiObject {
    DECLARE_DYNAMIC(CBrush)

public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor);
    BOOL CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }
    static CBrush* FromHandle(HBRUSH hBrush);
};
