#include <zelmtools/framework/gdi/CDC.h>

#include <memory>
#include <unordered_map>

IMPLEMENT_DYNAMIC(CDC, CObject)

CDC::~CDC() { DeleteDC(); }

BOOL CDC::CreateCompatibleDC(CDC* pDC) { return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr)); }

BOOL CDC::DeleteDC()
{
    if (!m_hDC) return FALSE;
    return ::DeleteDC(Detach());
}

BOOL CDC::Attach(HDC hDC)
{
    if (!hDC) return FALSE;
    m_hDC = hDC;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC handle = m_hDC;
    m_hDC = nullptr;
    return handle;
}

// A temporary wrapper per handle and thread, which never deletes its context.
CDC* CDC::FromHandle(HDC hDC)
{
    if (!hDC) return nullptr;
    struct Borrowed : CDC {
        ~Borrowed() override { Detach(); }
    };
    thread_local std::unordered_map<HDC, std::unique_ptr<Borrowed>> wrappers;
    auto& wrapper = wrappers[hDC];
    if (!wrapper) {
        wrapper = std::make_unique<Borrowed>();
        wrapper->m_hDC = hDC;
    }
    return wrapper.get();
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject) { return CGdiObject::FromHandle(SelectHandle(pObject)); }

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(nIndex)));
}

CSize CDC::GetTextExtent(LPCSTR lpszString, int nCount) const
{
    SIZE size{};
    ::GetTextExtentPoint32(m_hDC, lpszString, nCount, &size);
    return CSize(size);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    CBrush brush(clr);
    FillRect(lpRect, &brush);
}
