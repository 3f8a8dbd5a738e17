#include "platform/com/guid_text.h"

#include <cstdio>
#include <string>

#include <zelmtools/platform/com/objbase.h>

namespace zelm::platform::com {

namespace {

constexpr std::size_t kBracedLength = 38;

int HexValue(char16_t ch)
{
    if (ch >= u'0' && ch <= u'9') return ch - u'0';
    if (ch >= u'a' && ch <= u'f') return ch - u'a' + 10;
    if (ch >= u'A' && ch <= u'F') return ch - u'A' + 10;
    return -1;
}

// Reads digits hexadecimal digits at text[pos], advancing pos; false on a non-digit.
bool ReadHex(std::u16string_view text, std::size_t& pos, int digits, std::uint64_t& value)
{
    value = 0;
    for (int i = 0; i < digits; ++i, ++pos) {
        int digit = HexValue(text[pos]);
        if (digit < 0) return false;
        value = value << 4 | static_cast<std::uint64_t>(digit);
    }
    return true;
}

bool Expect(std::u16string_view text, std::size_t& pos, char16_t ch)
{
    return text[pos++] == ch;
}

}  // namespace

std::string GuidToText(const GUID& guid)
{
    char text[kBracedLength + 1];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1],
                  guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return text;
}

std::optional<GUID> GuidFromText(std::u16string_view text)
{
    if (text.size() != kBracedLength) return std::nullopt;
    GUID guid{};
    std::size_t pos = 0;
    std::uint64_t value = 0;
    if (!Expect(text, pos, u'{') || !ReadHex(text, pos, 8, value)) return std::nullopt;
    guid.Data1 = static_cast<std::uint32_t>(value);
    if (!Expect(text, pos, u'-') || !ReadHex(text, pos, 4, value)) return std::nullopt;
    guid.Data2 = static_cast<WORD>(value);
    if (!Expect(text, pos, u'-') || !ReadHex(text, pos, 4, value)) return std::nullopt;
    guid.Data3 = static_cast<WORD>(value);
    if (!Expect(text, pos, u'-')) return std::nullopt;
    for (int i = 0; i < 8; ++i) {
        if (i == 2 && !Expect(text, pos, u'-')) return std::nullopt;
        if (!ReadHex(text, pos, 2, value)) return std::nullopt;
        guid.Data4[i] = static_cast<BYTE>(value);
    }
    if (!Expect(text, pos, u'}')) return std::nullopt;
    return guid;
}

}  // namespace zelm::platform::com

HRESULT CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid)
{
    if (pclsid == nullptr) return E_INVALIDARG;
    if (lpsz == nullptr) {
        *pclsid = CLSID_NULL;
        return NOERROR;
    }
    auto guid = zelm::platform::com::GuidFromText(lpsz);
    if (!guid) return CO_E_CLASSSTRING;
    *pclsid = *guid;
    return NOERROR;
}

HRESULT IIDFromString(LPCOLESTR lpsz, IID* lpiid)
{
    HRESULT hr = CLSIDFromString(lpsz, lpiid);
    return hr == CO_E_CLASSSTRING ? E_INVALIDARG : hr;
}

int StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax)
{
    std::string text = zelm::platform::com::GuidToText(rguid);
    if (lpsz == nullptr || cchMax < static_cast<int>(text.size()) + 1) return 0;
    for (std::size_t i = 0; i <= text.size(); ++i) lpsz[i] = static_cast<OLECHAR>(text.c_str()[i]);
    return static_cast<int>(text.size()) + 1;
}
