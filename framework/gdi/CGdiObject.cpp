#include <zelmtools/framework/gdi/CGdiObject.h>

#include <memory>
#include <unordered_map>

#include <zelmtools/framework/gdi/CDC.h>
#include "framework/resources/ResourceChain.h"
#include <zelmtools/platform/kernel/resources.h>

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)

namespace {

// Temporary wrappers, one per handle and thread; they never own their handles.
template <class T>
T* TemporaryWrapper(HGDIOBJ handle)
{
    if (!handle) return nullptr;
    struct Borrowed : T {
        ~Borrowed() override { this->Detach(); }
    };
    thread_local std::unordered_map<HGDIOBJ, std::unique_ptr<Borrowed>> wrappers;
    auto& wrapper = wrappers[handle];
    if (!wrapper) {
        wrapper = std::make_unique<Borrowed>();
        wrapper->m_hObject = handle;
    }
    return wrapper.get();
}

}  // namespace

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (!hObject) return FALSE;
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ handle = m_hObject;
    m_hObject = nullptr;
    return handle;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject) return FALSE;
    return ::DeleteObject(Detach());
}

BOOL CGdiObject::CreateStockObject(int nIndex) { return Attach(::GetStockObject(nIndex)); }

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject) { return TemporaryWrapper<CGdiObject>(hObject); }
CBitmap* CBitmap::FromHandle(HBITMAP hBitmap) { return TemporaryWrapper<CBitmap>(hBitmap); }
CFont* CFont::FromHandle(HFONT hFont) { return TemporaryWrapper<CFont>(hFont); }
CBrush* CBrush::FromHandle(HBRUSH hBrush) { return TemporaryWrapper<CBrush>(hBrush); }

BOOL CBitmap::LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }

BOOL CBitmap::LoadBitmap(LPCSTR lpszResourceName)
{
    HINSTANCE module = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    return Attach(::LoadBitmap(module, lpszResourceName));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateCompatibleBitmap(pDC ? pDC->m_hDC : nullptr, nWidth, nHeight));
}

CBrush::CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
