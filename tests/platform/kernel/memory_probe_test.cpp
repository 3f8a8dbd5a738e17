#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include <zelmtools/platform/kernel/memory_probe.h>

namespace {

// Two pages of which the second is unmapped again: text written at the end of the
// first runs into memory that is not there.
class PageEdge {
public:
    PageEdge() : m_page(static_cast<std::size_t>(sysconf(_SC_PAGESIZE)))
    {
        void* mapped = mmap(nullptr, 2 * m_page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        m_base = mapped == MAP_FAILED ? nullptr : static_cast<char*>(mapped);
        if (m_base) munmap(m_base + m_page, m_page);
    }
    ~PageEdge()
    {
        if (m_base) munmap(m_base, m_page);
    }
    // count bytes that end at the edge.
    char* Tail(std::size_t count) const { return m_base + m_page - count; }
    char* Unmapped() const { return m_base + m_page; }
    bool ok() const { return m_base != nullptr; }

private:
    std::size_t m_page;
    char* m_base = nullptr;
};

}  // namespace

TEST(MemoryProbe, NullAndUnmappedMemoryAreBad)
{
    EXPECT_TRUE(IsBadStringPtrA(nullptr, 10));
    EXPECT_TRUE(IsBadStringPtrW(nullptr, 10));
    EXPECT_TRUE(IsBadReadPtr(nullptr, 1));
    EXPECT_FALSE(IsBadReadPtr(nullptr, 0));

    PageEdge edge;
    ASSERT_TRUE(edge.ok());
    EXPECT_TRUE(IsBadStringPtrA(edge.Unmapped(), 1));
    EXPECT_TRUE(IsBadReadPtr(edge.Unmapped(), 1));
    EXPECT_TRUE(IsBadReadPtr(edge.Tail(4), 5));
    EXPECT_FALSE(IsBadReadPtr(edge.Tail(4), 4));
}

TEST(MemoryProbe, StringIsGoodUpToItsTerminatorOrTheLimit)
{
    PageEdge edge;
    ASSERT_TRUE(edge.ok());
    char* text = edge.Tail(3);
    std::memcpy(text, "abc", 3);  // no terminator before the unmapped page
    EXPECT_FALSE(IsBadStringPtrA(text, 3));
    EXPECT_TRUE(IsBadStringPtrA(text, 4));
    EXPECT_TRUE(IsBadStringPtrA(text, static_cast<UINT_PTR>(-1)));
    text[2] = '\0';
    EXPECT_FALSE(IsBadStringPtrA(text, static_cast<UINT_PTR>(-1)));

    // A UTF-16 text at an odd address, its terminator split across the probe's chunks.
    char* wide = edge.Tail(5);
    std::memcpy(wide, u"\u0416", 2);
    std::memset(wide + 2, 0, 2);
    EXPECT_FALSE(IsBadStringPtrW(reinterpret_cast<LPCWSTR>(wide), 100));
    std::memset(wide + 2, 'x', 3);
    EXPECT_TRUE(IsBadStringPtrW(reinterpret_cast<LPCWSTR>(wide), 100));
    EXPECT_FALSE(IsBadStringPtrW(reinterpret_cast<LPCWSTR>(wide), 2));
}

#if defined(__SANITIZE_ADDRESS__)
TEST(MemoryProbe, FreedLargeBlockIsBad)
{
    GTEST_SKIP() << "the sanitizer keeps freed memory mapped";
}
#else
TEST(MemoryProbe, FreedLargeBlockIsBad)
{
    // Blocks this large are mapped for themselves and unmapped when freed.
    constexpr std::size_t kSize = 64u << 20;
    char* block = static_cast<char*>(std::malloc(kSize));
    ASSERT_NE(block, nullptr);
    std::memcpy(block, "alive", 6);
    EXPECT_FALSE(IsBadStringPtrA(block, 100));
    std::free(block);
    EXPECT_TRUE(IsBadStringPtrA(block, 100));
    EXPECT_TRUE(IsBadReadPtr(block, 1));
}
#endif
