// Version information of module files: the block of a module's RT_VERSION resource,
// followed by the UTF-8 form of its texts, which VerQueryValueA hands out.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <string_view>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/kernel/version.h>

#include "platform/base/utf8.h"
#include "platform/kernel/module_files.h"
#include "platform/kernel/resource_modules.h"
#include "platform/kernel/version_block.h"

namespace {

using zelm::platform::VersionNode;

constexpr WORD kVersionInfoId = 1;
constexpr std::size_t kFixedInfoSize = sizeof(VS_FIXEDFILEINFO);
constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;

// The version resource of the module loaded from that file; sets the error when none.
bool FindVersionResource(LPCSTR path, zelm::platform::ResourceEntry& found)
{
    if (path == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (zelm::platform::CanonicalFilePath(path).empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return false;
    }
    HMODULE module = zelm::platform::ModuleByFilePath(path);
    auto entries = zelm::platform::ModuleResources(module, 16, kVersionInfoId);
    VersionNode root;
    if (entries.empty() || !zelm::platform::ReadVersionNode(entries[0].data, entries[0].size, 0, root)) {
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return false;
    }
    found = entries[0];
    found.size = static_cast<DWORD>(root.end);
    return true;
}

// Writes the UTF-8 form of every text value below `node` after the resource.
void FillTexts(BYTE* block, std::size_t resourceSize, const VersionNode& node)
{
    auto children = zelm::platform::VersionChildren(block, node);
    if (node.type == 1 && children.empty() && node.valueBytes > 0) {
        std::u16string text;
        for (std::size_t at = node.valueOffset; at < node.valueOffset + node.valueBytes; at += 2)
            text += static_cast<char16_t>(block[at] | block[at + 1] << 8);
        text.erase(std::find(text.begin(), text.end(), u'\0'), text.end());
        std::string utf8 = zelm::platform::Utf16ToUtf8(text);  // at most 3 bytes a unit
        std::memcpy(block + zelm::platform::VersionTextOffset(resourceSize, node.valueOffset), utf8.data(),
                    utf8.size());
    }
    for (const auto& child : children) FillTexts(block, resourceSize, child);
}

bool KeyEquals(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// The node a path names, from the root, parts separated by backslashes.
bool FindNode(const BYTE* block, const VersionNode& root, std::string_view path, VersionNode& node)
{
    node = root;
    while (!path.empty()) {
        std::size_t separator = path.find('\\');
        std::string_view part = path.substr(0, separator);
        path = separator == std::string_view::npos ? std::string_view() : path.substr(separator + 1);
        if (part.empty()) continue;
        auto children = zelm::platform::VersionChildren(block, node);
        auto it = std::find_if(children.begin(), children.end(),
                               [&](const VersionNode& child) { return KeyEquals(child.key, part); });
        if (it == children.end()) return false;
        node = *it;
    }
    return true;
}

BOOL Fail(LONG error)
{
    SetLastError(error);
    return FALSE;
}

}  // namespace

DWORD GetFileVersionInfoSizeA(LPCSTR lptstrFilename, LPDWORD lpdwHandle)
{
    if (lpdwHandle != nullptr) *lpdwHandle = 0;
    zelm::platform::ResourceEntry resource{};
    if (!FindVersionResource(lptstrFilename, resource)) return 0;
    return static_cast<DWORD>(zelm::platform::VersionBlockSize(resource.size));
}

BOOL GetFileVersionInfoA(LPCSTR lptstrFilename, DWORD, DWORD dwLen, LPVOID lpData)
{
    zelm::platform::ResourceEntry resource{};
    if (!FindVersionResource(lptstrFilename, resource)) return FALSE;
    std::size_t size = zelm::platform::VersionBlockSize(resource.size);
    if (lpData == nullptr || dwLen < size) return Fail(ERROR_INSUFFICIENT_BUFFER);
    auto* block = static_cast<BYTE*>(lpData);
    std::memset(block, 0, size);
    std::memcpy(block, resource.data, resource.size);
    VersionNode root;
    zelm::platform::ReadVersionNode(block, resource.size, 0, root);
    FillTexts(block, resource.size, root);
    return TRUE;
}

BOOL VerQueryValueA(LPCVOID pBlock, LPCSTR lpSubBlock, LPVOID* lplpBuffer, UINT* puLen)
{
    if (pBlock == nullptr || lpSubBlock == nullptr || lplpBuffer == nullptr || puLen == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    const auto* block = static_cast<const BYTE*>(pBlock);
    std::size_t resourceSize = block[0] | block[1] << 8;
    VersionNode root, node;
    if (!zelm::platform::ReadVersionNode(block, resourceSize, 0, root) || root.key != "VS_VERSION_INFO")
        return Fail(ERROR_INVALID_DATA);
    if (!FindNode(block, root, lpSubBlock, node)) return Fail(ERROR_RESOURCE_TYPE_NOT_FOUND);
    if (node.offset == 0) {
        std::uint32_t signature = 0;
        if (root.valueBytes >= kFixedInfoSize) std::memcpy(&signature, block + root.valueOffset, sizeof signature);
        if (signature != kFixedInfoSignature) return Fail(ERROR_RESOURCE_TYPE_NOT_FOUND);
        *lplpBuffer = const_cast<BYTE*>(block + root.valueOffset);
        *puLen = kFixedInfoSize;
        return TRUE;
    }
    if (node.type != 1) {
        *lplpBuffer = const_cast<BYTE*>(block + node.valueOffset);
        *puLen = static_cast<UINT>(node.valueBytes);
        return TRUE;
    }
    // A text node that holds other nodes (a string table) has no value of its own.
    if (node.valueBytes == 0) return Fail(ERROR_RESOURCE_TYPE_NOT_FOUND);
    auto* text = const_cast<BYTE*>(block + zelm::platform::VersionTextOffset(resourceSize, node.valueOffset));
    *lplpBuffer = text;
    *puLen = static_cast<UINT>(strnlen(reinterpret_cast<const char*>(text), node.valueBytes / 2 * 3));
    return TRUE;
}
