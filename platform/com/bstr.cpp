#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include <zelmtools/platform/com/bstr.h>

namespace {

using Prefix = std::uint32_t;
// Room for the prefix, kept so that the text starts 8-byte aligned as malloc's blocks do.
constexpr std::size_t kHeader = 8;
// Zero bytes after the text: a whole zero character even after an odd byte count.
constexpr std::size_t kTrailer = 3;

unsigned char* BlockOf(BSTR text)
{
    return reinterpret_cast<unsigned char*>(text) - kHeader;
}

// A new string of byteLength bytes, filled from source (or zeros) and terminated.
BSTR Allocate(const void* source, std::size_t byteLength)
{
    if (byteLength > UINT32_MAX - kHeader - kTrailer) return nullptr;
    auto* block = static_cast<unsigned char*>(std::malloc(kHeader + byteLength + kTrailer));
    if (block == nullptr) return nullptr;
    Prefix prefix = static_cast<Prefix>(byteLength);
    std::memcpy(block + kHeader - sizeof(Prefix), &prefix, sizeof prefix);
    unsigned char* text = block + kHeader;
    if (source != nullptr)
        std::memcpy(text, source, byteLength);
    else
        std::memset(text, 0, byteLength);
    std::memset(text + byteLength, 0, kTrailer);
    return reinterpret_cast<BSTR>(text);
}

}  // namespace

BSTR SysAllocString(const OLECHAR* psz)
{
    if (psz == nullptr) return nullptr;
    return Allocate(psz, std::char_traits<OLECHAR>::length(psz) * sizeof(OLECHAR));
}

BSTR SysAllocStringLen(const OLECHAR* strIn, UINT ui)
{
    return Allocate(strIn, static_cast<std::size_t>(ui) * sizeof(OLECHAR));
}

BSTR SysAllocStringByteLen(LPCSTR psz, UINT len)
{
    return Allocate(psz, len);
}

INT SysReAllocString(BSTR* pbstr, const OLECHAR* psz)
{
    if (pbstr == nullptr) return FALSE;
    BSTR copy = SysAllocString(psz);
    if (copy == nullptr && psz != nullptr) return FALSE;
    SysFreeString(*pbstr);
    *pbstr = copy;
    return TRUE;
}

void SysFreeString(BSTR bstrString)
{
    if (bstrString != nullptr) std::free(BlockOf(bstrString));
}

UINT SysStringByteLen(BSTR bstr)
{
    if (bstr == nullptr) return 0;
    Prefix prefix;
    std::memcpy(&prefix, BlockOf(bstr) + kHeader - sizeof(Prefix), sizeof prefix);
    return prefix;
}

UINT SysStringLen(BSTR pbstr)
{
    return SysStringByteLen(pbstr) / sizeof(OLECHAR);
}
