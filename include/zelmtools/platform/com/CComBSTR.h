#pragma once
// An owned BSTR in the framework's style: the object frees its string, copies copy it,
// and Detach/Attach hand the string over without copying. A construction that runs
// out of memory throws std::bad_alloc; Append reports E_OUTOFMEMORY instead.

#include <memory>
#include <new>
#include <string>
#include <utility>

#include <zelmtools/platform/com/bstr.h>
#include <zelmtools/platform/com/unknown.h>
#include <zelmtools/platform/kernel/text_conversion.h>

class CComBSTR {
public:
    BSTR m_str = nullptr;

    CComBSTR() = default;
    // nSize characters of zeros.
    explicit CComBSTR(int nSize) : m_str(Checked(SysAllocStringLen(nullptr, Count(nSize)), nSize != 0)) {}
    CComBSTR(int nSize, LPCOLESTR sz) : m_str(Checked(SysAllocStringLen(sz, Count(nSize)), nSize != 0 || sz)) {}
    CComBSTR(LPCOLESTR pSrc) : m_str(Checked(SysAllocString(pSrc), pSrc != nullptr)) {}
    // Single-byte text in the ANSI code page.
    CComBSTR(LPCSTR pSrc) : m_str(Checked(FromAnsi(pSrc), pSrc != nullptr)) {}
    CComBSTR(const CComBSTR& src) : m_str(Checked(src.Copy(), src.m_str != nullptr)) {}
    CComBSTR(CComBSTR&& src) noexcept : m_str(src.Detach()) {}
    ~CComBSTR() { SysFreeString(m_str); }

    CComBSTR& operator=(const CComBSTR& src)
    {
        if (this != std::addressof(src)) Replace(Checked(src.Copy(), src.m_str != nullptr));
        return *this;
    }
    CComBSTR& operator=(CComBSTR&& src) noexcept
    {
        if (this != std::addressof(src)) Attach(src.Detach());
        return *this;
    }
    CComBSTR& operator=(LPCOLESTR pSrc)
    {
        if (pSrc != m_str) Replace(Checked(SysAllocString(pSrc), pSrc != nullptr));
        return *this;
    }
    CComBSTR& operator=(LPCSTR pSrc)
    {
        Replace(Checked(FromAnsi(pSrc), pSrc != nullptr));
        return *this;
    }

    operator BSTR() const { return m_str; }
    BSTR* operator&() { return &m_str; }
    bool operator!() const { return m_str == nullptr; }

    unsigned int Length() const { return SysStringLen(m_str); }
    unsigned int ByteLength() const { return SysStringByteLen(m_str); }
    void Empty()
    {
        SysFreeString(m_str);
        m_str = nullptr;
    }
    // A new copy of the string for a caller to own (null for a null string).
    BSTR Copy() const { return m_str ? SysAllocStringByteLen(reinterpret_cast<LPCSTR>(m_str), ByteLength()) : nullptr; }
    HRESULT CopyTo(BSTR* pbstr) const
    {
        if (pbstr == nullptr) return E_POINTER;
        *pbstr = Copy();
        return (*pbstr == nullptr && m_str != nullptr) ? E_OUTOFMEMORY : S_OK;
    }
    void Attach(BSTR src)
    {
        if (src != m_str) Replace(src);
    }
    BSTR Detach() { return std::exchange(m_str, nullptr); }

    // lpsz may point into this object's own string: the old one is freed last.
    HRESULT Append(LPCOLESTR lpsz, int nLen)
    {
        if (nLen < 0) return E_INVALIDARG;
        if (lpsz == nullptr) return nLen == 0 ? S_OK : E_INVALIDARG;
        unsigned int length = Length();
        BSTR joined = SysAllocStringLen(nullptr, length + static_cast<unsigned int>(nLen));
        if (joined == nullptr) return E_OUTOFMEMORY;
        std::char_traits<OLECHAR>::copy(joined, m_str ? m_str : joined, length);
        std::char_traits<OLECHAR>::copy(joined + length, lpsz, static_cast<std::size_t>(nLen));
        Replace(joined);
        return S_OK;
    }
    HRESULT Append(LPCOLESTR lpsz) { return lpsz ? Append(lpsz, Length(lpsz)) : S_OK; }
    HRESULT Append(const CComBSTR& bstrSrc) { return AppendBSTR(bstrSrc.m_str); }
    HRESULT Append(LPCSTR lpsz)
    {
        if (lpsz == nullptr) return S_OK;
        CComBSTR converted;
        converted.m_str = FromAnsi(lpsz);
        if (!converted) return E_OUTOFMEMORY;
        return Append(converted);
    }
    HRESULT Append(OLECHAR ch) { return Append(&ch, 1); }
    HRESULT AppendBSTR(BSTR p) { return p ? Append(p, static_cast<int>(SysStringLen(p))) : S_OK; }
    CComBSTR& operator+=(const CComBSTR& bstrSrc)
    {
        ThrowIfFailed(Append(bstrSrc));
        return *this;
    }
    CComBSTR& operator+=(LPCOLESTR pszSrc)
    {
        ThrowIfFailed(Append(pszSrc));
        return *this;
    }

private:
    static unsigned int Count(int n) { return n < 0 ? throw std::bad_alloc() : static_cast<unsigned int>(n); }
    static int Length(LPCOLESTR text) { return static_cast<int>(std::char_traits<OLECHAR>::length(text)); }
    static BSTR Checked(BSTR made, bool expected)
    {
        if (made == nullptr && expected) throw std::bad_alloc();
        return made;
    }
    static void ThrowIfFailed(HRESULT hr)
    {
        if (FAILED(hr)) throw std::bad_alloc();
    }
    // Null for a null text or a text that cannot be converted.
    static BSTR FromAnsi(LPCSTR text)
    {
        if (text == nullptr) return nullptr;
        if (*text == '\0') return SysAllocStringLen(nullptr, 0);
        int needed = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
        if (needed <= 0) return nullptr;
        // The terminator lands in the zero bytes every BSTR carries after its text.
        BSTR converted = SysAllocStringLen(nullptr, static_cast<unsigned int>(needed - 1));
        if (converted != nullptr) MultiByteToWideChar(CP_ACP, 0, text, -1, converted, needed);
        return converted;
    }
    void Replace(BSTR replacement)
    {
        SysFreeString(m_str);
        m_str = replacement;
    }
};
