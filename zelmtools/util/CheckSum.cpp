#include <bit>
#include <cstdint>
#include <cstring>

#include <zelmtools/util/StrUtils.h>

int CalcCheckSum(void* pData, int nLength)
{
    if (pData == nullptr || nLength <= 0) return 0;
    const auto* bytes = static_cast<const BYTE*>(pData);
    int total = 0;
    int offset = 0;
    for (; nLength - offset >= 4; offset += 4) {
        std::uint32_t word;
        std::memcpy(&word, bytes + offset, sizeof word);  // the block need not be aligned
        total += std::popcount(word);
    }
    for (; offset < nLength; ++offset) total += std::popcount(bytes[offset]);
    return total;
}
