// CRegItem: the values of the open key, by name.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/registry/RegItem.h>

static_assert(sizeof(CSize) == 8 && sizeof(CRect) == 16, "stored as 32-bit fields");
static_assert(sizeof(double) == 8 && sizeof(unsigned short) == 2);

namespace {

// The stored forms are 32 bits wide where this platform's long and time_t have 64: a
// number outside the range is refused rather than cut. A typed read has nowhere to put
// the value without a target, and is refused the same way.
bool Refused()
{
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
}

bool FitsIn32Bits(long long value, long long lowest, long long highest)
{
    return (value >= lowest && value <= highest) || Refused();
}

bool FitsIn32Bits(unsigned long value)
{
    return value <= 0xFFFFFFFFul || Refused();
}

constexpr long long kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr long long kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr long long kUInt32Max = std::numeric_limits<std::uint32_t>::max();

}  // namespace

template <typename T>
int CRegItem::WriteFixed(const char* pszName, DWORD dwType, T value)
{
    return SetValue(pszName, dwType, &value, sizeof value);
}

template <typename T>
int CRegItem::ReadFixed(const char* pszName, DWORD dwType, T* pValue)
{
    if (pValue == nullptr) return Refused();
    return QueryValue(pszName, dwType, pValue, sizeof *pValue);
}

// Reads a 32-bit stored form into a wider value: a stored value shorter than 4 bytes
// replaces only the first bytes of the value's 32-bit image, as it would in place.
template <typename Bits, typename T, typename ToBits, typename FromBits>
int CRegItem::ReadThrough32(const char* pszName, DWORD dwType, T* pValue, ToBits toBits, FromBits fromBits)
{
    if (pValue == nullptr) return Refused();
    Bits bits = 0;
    if (!QueryValue(pszName, dwType, &bits, sizeof bits)) return 0;
    if (m_dwSize < sizeof bits) {
        Bits image = toBits(*pValue);
        std::memcpy(&image, &bits, m_dwSize);
        bits = image;
    }
    *pValue = fromBits(bits);
    return 1;
}

int CRegItem::SetValue(const char* pszName, DWORD dwType, void* pData, DWORD dwSize)
{
    m_strValueName = pszName;
    m_dwType = dwType;
    m_pData = pData;
    m_dwSize = dwSize;
    return RegSetValueExA(m_hKey, m_strValueName, 0, dwType, static_cast<const BYTE*>(pData), dwSize) == ERROR_SUCCESS;
}

int CRegItem::QueryValue(const char* pszName, DWORD dwType, void* pData, DWORD dwSize)
{
    m_strValueName = pszName;
    m_dwSize = dwSize;
    m_dwType = dwType;
    return RegQueryValueExA(m_hKey, m_strValueName, nullptr, &m_dwType, static_cast<BYTE*>(pData), &m_dwSize) ==
           ERROR_SUCCESS;
}

int CRegItem::GetType(const char* pszName)
{
    if (!QueryValue(pszName, REG_NONE, nullptr, 0)) m_dwType = 0;
    return static_cast<int>(m_dwType);
}

int CRegItem::GetSize(const char* pszName)
{
    if (!QueryValue(pszName, REG_NONE, nullptr, 0)) m_dwSize = 0;
    return static_cast<int>(m_dwSize);
}

int CRegItem::SetValue(const char* pszName, void* pData, DWORD dwSize)
{
    return SetValue(pszName, REG_BINARY, pData, dwSize);
}

int CRegItem::QueryValue(const char* pszName, void* pData, DWORD dwSize)
{
    return QueryValue(pszName, REG_BINARY, pData, dwSize);
}

int CRegItem::SetValue(const char* pszName, DWORD dwValue)
{
    return WriteFixed(pszName, REG_DWORD, dwValue);
}

int CRegItem::SetValue(const char* pszName, LONG lValue)
{
    return WriteFixed(pszName, REG_DWORD, lValue);
}

int CRegItem::QueryValue(const char* pszName, DWORD* pdwValue)
{
    return ReadFixed(pszName, REG_DWORD, pdwValue);
}

int CRegItem::QueryValue(const char* pszName, LONG* plValue)
{
    return ReadFixed(pszName, REG_DWORD, plValue);
}

int CRegItem::SetValue(const char* pszName, long lValue)
{
    if (!FitsIn32Bits(lValue, kInt32Min, kInt32Max)) return 0;
    return WriteFixed(pszName, REG_DWORD, static_cast<std::int32_t>(lValue));
}

int CRegItem::SetValue(const char* pszName, unsigned long dwValue)
{
    if (!FitsIn32Bits(dwValue)) return 0;
    return WriteFixed(pszName, REG_DWORD, static_cast<std::uint32_t>(dwValue));
}

int CRegItem::QueryValue(const char* pszName, long* plValue)
{
    return ReadThrough32<std::int32_t>(
        pszName, REG_DWORD, plValue, [](long value) { return static_cast<std::int32_t>(value); },
        [](std::int32_t bits) { return static_cast<long>(bits); });
}

int CRegItem::QueryValue(const char* pszName, unsigned long* pdwValue)
{
    return ReadThrough32<std::uint32_t>(
        pszName, REG_DWORD, pdwValue, [](unsigned long value) { return static_cast<std::uint32_t>(value); },
        [](std::uint32_t bits) { return static_cast<unsigned long>(bits); });
}

int CRegItem::SetValue(const char* pszName, int nValue)
{
    return WriteFixed(pszName, REG_BINARY, nValue);
}

int CRegItem::SetValue(const char* pszName, unsigned int nValue)
{
    return WriteFixed(pszName, REG_BINARY, nValue);
}

int CRegItem::QueryValue(const char* pszName, int* pnValue)
{
    return ReadFixed(pszName, REG_BINARY, pnValue);
}

int CRegItem::QueryValue(const char* pszName, unsigned int* pnValue)
{
    return ReadFixed(pszName, REG_BINARY, pnValue);
}

int CRegItem::SetValue(const char* pszName, CTime time)
{
    if (!FitsIn32Bits(time.GetTime(), 0, kUInt32Max)) return 0;
    return WriteFixed(pszName, REG_BINARY, static_cast<std::uint32_t>(time.GetTime()));
}

int CRegItem::SetValue(const char* pszName, CTimeSpan span)
{
    if (!FitsIn32Bits(span.GetTimeSpan(), kInt32Min, kInt32Max)) return 0;
    return WriteFixed(pszName, REG_BINARY, static_cast<std::int32_t>(span.GetTimeSpan()));
}

int CRegItem::QueryValue(const char* pszName, CTime* pTime)
{
    return ReadThrough32<std::uint32_t>(
        pszName, REG_BINARY, pTime, [](const CTime& time) { return static_cast<std::uint32_t>(time.GetTime()); },
        [](std::uint32_t bits) { return CTime(static_cast<time_t>(bits)); });
}

int CRegItem::QueryValue(const char* pszName, CTimeSpan* pSpan)
{
    return ReadThrough32<std::int32_t>(
        pszName, REG_BINARY, pSpan, [](const CTimeSpan& span) { return static_cast<std::int32_t>(span.GetTimeSpan()); },
        [](std::int32_t bits) { return CTimeSpan(static_cast<time_t>(bits)); });
}

int CRegItem::SetValue(const char* pszName, double dValue)
{
    return WriteFixed(pszName, REG_BINARY, dValue);
}

int CRegItem::QueryValue(const char* pszName, double* pdValue)
{
    return ReadFixed(pszName, REG_BINARY, pdValue);
}

int CRegItem::SetValue(const char* pszName, CSize size)
{
    return WriteFixed(pszName, REG_BINARY, size);
}

int CRegItem::QueryValue(const char* pszName, CSize* pSize)
{
    return ReadFixed(pszName, REG_BINARY, pSize);
}

int CRegItem::SetValue(const char* pszName, unsigned short wValue)
{
    return WriteFixed(pszName, REG_BINARY, wValue);
}

int CRegItem::QueryValue(const char* pszName, unsigned short* pwValue)
{
    return ReadFixed(pszName, REG_BINARY, pwValue);
}

int CRegItem::SetValue(const char* pszName, char chValue)
{
    return WriteFixed(pszName, REG_BINARY, chValue);
}

int CRegItem::SetValue(const char* pszName, unsigned char chValue)
{
    return WriteFixed(pszName, REG_BINARY, chValue);
}

int CRegItem::QueryValue(const char* pszName, char* pchValue)
{
    return ReadFixed(pszName, REG_BINARY, pchValue);
}

int CRegItem::QueryValue(const char* pszName, unsigned char* pchValue)
{
    return ReadFixed(pszName, REG_BINARY, pchValue);
}

int CRegItem::SetValue(const char* pszName, CRect rect)
{
    return WriteFixed(pszName, REG_BINARY, rect);
}

int CRegItem::QueryValue(const char* pszName, CRect* pRect)
{
    return ReadFixed(pszName, REG_BINARY, pRect);
}

int CRegItem::SetValue(const char* pszName, const char* pszValue)
{
    const char* text = pszValue ? pszValue : "";
    return SetValue(pszName, REG_SZ, const_cast<char*>(text), static_cast<DWORD>(std::strlen(text)));
}

int CRegItem::QueryValue(const char* pszName, CString* pStr)
{
    if (pStr == nullptr) return Refused();
    CString name = pszName;  // GetSize rewrites m_strValueName, which may be where the name lives
    auto size = static_cast<DWORD>(GetSize(name));
    std::vector<char> buffer(size + 1, '\0');
    if (!QueryValue(name, REG_SZ, buffer.data(), size)) return 0;
    DWORD stored = std::min(m_dwSize, size);
    *pStr = CString(buffer.data(), static_cast<int>(strnlen(buffer.data(), stored)));
    return 1;
}

template <typename T, typename D>
int CRegItem::ReadOrDefault(const char* pszName, T* pValue, const D& fallback)
{
    if (QueryValue(pszName, pValue)) return 1;
    if (pValue) *pValue = fallback;
    return 0;
}

int CRegItem::GetValue(const char* pszName, DWORD* pdwValue, DWORD dwDefault)
{
    return ReadOrDefault(pszName, pdwValue, dwDefault);
}

int CRegItem::GetValue(const char* pszName, LONG* plValue, LONG lDefault)
{
    return ReadOrDefault(pszName, plValue, lDefault);
}

int CRegItem::GetValue(const char* pszName, long* plValue, long lDefault)
{
    return ReadOrDefault(pszName, plValue, lDefault);
}

int CRegItem::GetValue(const char* pszName, unsigned long* pdwValue, unsigned long dwDefault)
{
    return ReadOrDefault(pszName, pdwValue, dwDefault);
}

int CRegItem::GetValue(const char* pszName, int* pnValue, int nDefault)
{
    return ReadOrDefault(pszName, pnValue, nDefault);
}

int CRegItem::GetValue(const char* pszName, unsigned int* pnValue, unsigned int nDefault)
{
    return ReadOrDefault(pszName, pnValue, nDefault);
}

int CRegItem::GetValue(const char* pszName, CTime* pTime, const CTime& timeDefault)
{
    return ReadOrDefault(pszName, pTime, timeDefault);
}

int CRegItem::GetValue(const char* pszName, CTimeSpan* pSpan, const CTimeSpan& spanDefault)
{
    return ReadOrDefault(pszName, pSpan, spanDefault);
}

int CRegItem::GetValue(const char* pszName, double* pdValue, double dDefault)
{
    return ReadOrDefault(pszName, pdValue, dDefault);
}

int CRegItem::GetValue(const char* pszName, CSize* pSize, const CSize& sizeDefault)
{
    return ReadOrDefault(pszName, pSize, sizeDefault);
}

int CRegItem::GetValue(const char* pszName, unsigned short* pwValue, unsigned short wDefault)
{
    return ReadOrDefault(pszName, pwValue, wDefault);
}

int CRegItem::GetValue(const char* pszName, char* pchValue, char chDefault)
{
    return ReadOrDefault(pszName, pchValue, chDefault);
}

int CRegItem::GetValue(const char* pszName, unsigned char* pchValue, unsigned char chDefault)
{
    return ReadOrDefault(pszName, pchValue, chDefault);
}

int CRegItem::GetValue(const char* pszName, CRect* pRect, const CRect& rectDefault)
{
    return ReadOrDefault(pszName, pRect, rectDefault);
}

int CRegItem::GetValue(const char* pszName, CString* pStr, const char* pszDefault)
{
    return ReadOrDefault(pszName, pStr, pszDefault);
}
