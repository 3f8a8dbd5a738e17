#pragma once
// Walking the VS_VERSIONINFO tree: every node is a length, a value length, a type
// (0 binary, 1 text), a UTF-16 key, then its value and its children, each on a 4-byte
// boundary from the start of the block.

#include <cstddef>
#include <string>
#include <vector>

#include <zelmtools/platform/base/win_types.h>

namespace zelm::platform {

struct VersionNode {
    std::size_t offset = 0;
    std::size_t end = 0;  // offset + the node's length
    WORD valueLength = 0;
    WORD type = 0;
    std::string key;  // UTF-8
    std::size_t valueOffset = 0;
    std::size_t valueBytes = 0;  // text values count UTF-16 units, binary ones bytes
    std::size_t childrenOffset = 0;
};

// Reads the node at `offset` of block[0..limit); false when it does not fit there.
bool ReadVersionNode(const BYTE* block, std::size_t limit, std::size_t offset, VersionNode& node);
// The node's children that can be read; reading stops at the first that cannot.
std::vector<VersionNode> VersionChildren(const BYTE* block, const VersionNode& parent);

// Where the text of the value at `valueOffset` of a filled block of `resourceSize`
// bytes is kept in UTF-8: in an area after the resource, 3 bytes for each UTF-16 unit.
constexpr std::size_t AlignVersion(std::size_t offset)
{
    return (offset + 3) & ~std::size_t{3};
}
constexpr std::size_t VersionTextOffset(std::size_t resourceSize, std::size_t valueOffset)
{
    return AlignVersion(resourceSize) + valueOffset / 2 * 3;
}
constexpr std::size_t VersionBlockSize(std::size_t resourceSize)
{
    return VersionTextOffset(resourceSize, resourceSize) + 4;
}

}  // namespace zelm::platform
