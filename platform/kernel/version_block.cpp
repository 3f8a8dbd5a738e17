#include "platform/kernel/version_block.h"

#include "platform/base/utf8.h"

namespace zelm::platform {
namespace {

WORD ReadWord(const BYTE* at)
{
    return static_cast<WORD>(at[0] | at[1] << 8);
}

}  // namespace

bool ReadVersionNode(const BYTE* block, std::size_t limit, std::size_t offset, VersionNode& node)
{
    if (offset % 4 != 0 || offset + 6 > limit) return false;
    node.offset = offset;
    node.end = offset + ReadWord(block + offset);
    node.valueLength = ReadWord(block + offset + 2);
    node.type = ReadWord(block + offset + 4);
    if (node.end > limit || node.end < offset + 6) return false;
    std::u16string key;
    std::size_t at = offset + 6;
    for (; at + 2 <= node.end && ReadWord(block + at) != 0; at += 2) key += static_cast<char16_t>(ReadWord(block + at));
    if (at + 2 > node.end) return false;  // no terminator inside the node
    node.key = Utf16ToUtf8(key);
    node.valueOffset = AlignVersion(at + 2);
    node.valueBytes = node.type == 1 ? std::size_t{node.valueLength} * 2 : node.valueLength;
    if (node.valueOffset + node.valueBytes > node.end) return false;
    node.childrenOffset = AlignVersion(node.valueOffset + node.valueBytes);
    return true;
}

std::vector<VersionNode> VersionChildren(const BYTE* block, const VersionNode& parent)
{
    std::vector<VersionNode> children;
    VersionNode child;
    for (std::size_t at = parent.childrenOffset; at < parent.end; at = AlignVersion(child.end)) {
        if (!ReadVersionNode(block, parent.end, at, child)) break;
        children.push_back(child);
    }
    return children;
}

}  // namespace zelm::platform
