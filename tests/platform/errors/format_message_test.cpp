#include <gtest/gtest.h>

#include <cstdarg>
#include <cstring>
#include <string>
#include <vector>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/base/format_message.h>
#include <zelmtools/platform/kernel/local_memory.h>

namespace {

DWORD_PTR Ptr(const void* p)
{
    return reinterpret_cast<DWORD_PTR>(p);
}

struct Result {
    DWORD length;
    std::string text;
    DWORD error;
};

Result Format(const char* pattern, std::vector<DWORD_PTR> args, DWORD flags = 0, DWORD size = 512)
{
    std::vector<char> buffer(size + 1, 'X');
    SetLastError(ERROR_SUCCESS);
    auto* arguments = args.empty() ? nullptr : reinterpret_cast<va_list*>(args.data());
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY | flags, pattern, 0, 0,
                                  buffer.data(), size, arguments);
    return {length, length ? std::string(buffer.data()) : std::string(), GetLastError()};
}

std::string FormatList(const char* pattern, ...)
{
    va_list list;
    va_start(list, pattern);
    char buffer[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_STRING, pattern, 0, 0, buffer, sizeof buffer, &list);
    va_end(list);
    return buffer;
}

struct Case {
    const char* pattern;
    std::vector<DWORD_PTR> args;
    const char* expected;
    DWORD flags = 0;
};

void ExpectCases(const std::vector<Case>& cases)
{
    for (const auto& c : cases) {
        Result result = Format(c.pattern, c.args, c.flags);
        EXPECT_EQ(result.text, c.expected) << "template: " << c.pattern;
        EXPECT_EQ(result.length, std::strlen(c.expected)) << "template: " << c.pattern;
    }
}

}  // namespace

TEST(FormatMessage, InsertsWithPrintfSpecsAndArgumentWidths)
{
    const char16_t* wide = u"wide Ж";
    ExpectCases({
        {"Disk %1 full", {Ptr("C:")}, "Disk C: full"},
        {"%1!d! files", {static_cast<DWORD_PTR>(-3)}, "-3 files"},
        {"%1!5d!|%2!-5s!|", {42, Ptr("ab")}, "   42|ab   |"},
        {"%1!*d!|", {6, 42}, "    42|"},
        {"%1!*d!|", {static_cast<DWORD_PTR>(-4), 7}, "7   |"},  // a negative width left-justifies
        {"%1!*.*s!|%4", {6, 2, Ptr("abcdef"), Ptr("x")}, "    ab|x"},
        {"%1!08X! %1!#x! %1!o!", {0xBEEF}, "0000BEEF 0xbeef 137357"},
        {"%1!.2s!|%1!6s!|", {Ptr("Привет")}, "Пр|Привет|"},  // characters, not bytes
        {"%1!4s!|", {Ptr("Яя")}, "  Яя|"},
        {"%1!S! %1!ls! %2!hS!", {Ptr(wide), Ptr("narrow")}, "wide Ж wide Ж narrow"},
        {"%1!c!%2!C!%3!c!", {'A', u'Ж', 0}, "AЖ"},
        {"%1!I64d! %1!lld!", {static_cast<DWORD_PTR>(-5000000000LL)}, "-5000000000 -5000000000"},
        {"%1!hd! %1!u!", {0x18000}, "-32768 98304"},
        {"[%1]", {0}, "[(null)]"},
        {"%2%1%2", {Ptr("a"), Ptr("b")}, "bab"},
        {"%10|%123", {0, 0, 0, 0, 0, 0, 0, 0, 0, Ptr("ten"), 0, Ptr("twelve")}, "ten|twelve3"},
    });
}

TEST(FormatMessage, Escapes)
{
    ExpectCases({
        {"a%nb%rc%td", {}, "a\r\nb\rc\td"},
        {"100%% % %.%!", {}, "100%  .!"},
        {"stop%0here%n", {}, "stop"},
        {"kept\r\nbreaks\n", {}, "kept\r\nbreaks\n"},
        {"%q and %", {}, "q and %"},
    });
}

TEST(FormatMessage, LineWidth)
{
    ExpectCases({
        {"one\r\ntwo\nthree%nfour", {}, "one two three\r\nfour", FORMAT_MESSAGE_MAX_WIDTH_MASK},
        {"alpha beta gamma delta", {}, "alpha beta\r\ngamma\r\ndelta", 10},
        {"abc de fg", {}, "abc\r\nde fg", 5},
        {"abc% de fg", {}, "abc d\r\ne fg", 5},  // no break at a hard space
        {"abcdefghij", {}, "abcd\r\nefgh\r\nij", 4},
        {"абвгд", {}, "абв\r\nгд", 3},
        {"%1 x", {Ptr("insert text")}, "insert\r\ntext x", 7},
        {"abcd%nef%rgh", {}, "abcd\r\nef\rgh", 4},  // a full line before a break gets no second one
    });
}

TEST(FormatMessage, ArgumentArrayAndVaListAgree)
{
    const char* pattern = "%2!d!-%1!s!-%3!*d!";
    Result array = Format(pattern, {Ptr("x"), 7, 4, 9});
    EXPECT_EQ(array.text, "7-x-   9");
    EXPECT_EQ(FormatList(pattern, Ptr("x"), DWORD_PTR{7}, DWORD_PTR{4}, DWORD_PTR{9}), array.text);
    EXPECT_EQ(FormatList("%1!S!%1!S!", Ptr(u"ж")), "жж");  // read once, used twice
}

TEST(FormatMessage, InsertsStayWhenIgnoredOrWithoutArguments)
{
    ExpectCases({
        {"%1!d! %2 %% % %n", {Ptr("unused")}, "%1!d! %2 %% % \r\n", FORMAT_MESSAGE_IGNORE_INSERTS},
        {"Disk %1 full %1!-3s! %%", {}, "Disk %1 full %1!-3s! %"},
    });
}

TEST(FormatMessage, RejectsMalformedInsertsAndFlags)
{
    EXPECT_EQ(Format("%1!f!", {1}).error, static_cast<DWORD>(ERROR_INVALID_PARAMETER));  // no floating point
    EXPECT_EQ(Format("%1!d", {1}).error, static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(Format("%1!!", {1}).error, static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(Format("x", {}, FORMAT_MESSAGE_FROM_SYSTEM).error, static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    char buffer[8];
    EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_STRING, nullptr, 0, 0, buffer, 8, nullptr), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(FormatMessageA(0, "x", 0, 0, buffer, 8, nullptr), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    // A width from the arguments cannot make the formatter build a huge text.
    EXPECT_EQ(Format("%1!*s!", {0x7FFFFFFF, Ptr("a")}).error, static_cast<DWORD>(ERROR_MORE_DATA));
    EXPECT_EQ(Format("%1!.999999d!", {1}).error, static_cast<DWORD>(ERROR_MORE_DATA));
}

TEST(FormatMessage, BufferTooSmall)
{
    Result exact = Format("hello", {}, 0, 6);
    EXPECT_EQ(exact.length, 5u);
    EXPECT_EQ(exact.text, "hello");
    Result small = Format("hello", {}, 0, 5);
    EXPECT_EQ(small.length, 0u);
    EXPECT_EQ(small.error, static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(Format("hello", {}, 0, 0).error, static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST(FormatMessage, AllocatesTheBuffer)
{
    LPSTR text = nullptr;
    DWORD_PTR args[] = {Ptr("C:")};
    DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                       "Disk %1 full", 0, 0, reinterpret_cast<LPSTR>(&text), 64, reinterpret_cast<va_list*>(args));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(length, 12u);
    EXPECT_STREQ(text, "Disk C: full");
    EXPECT_EQ(LocalFree(text), nullptr);

    // An empty message leaves nothing to free.
    text = reinterpret_cast<LPSTR>(args);
    EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_STRING, "%0", 0, 0,
                             reinterpret_cast<LPSTR>(&text), 0, nullptr),
              0u);
    EXPECT_EQ(text, nullptr);
}

TEST(LocalMemory, FixedBlocksOnly)
{
    auto* block = static_cast<BYTE*>(LocalAlloc(LPTR, 16));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block[15], 0);
    EXPECT_EQ(LocalFree(block), nullptr);
    EXPECT_EQ(LocalFree(nullptr), nullptr);
    EXPECT_EQ(LocalAlloc(0x0002 /* moveable */, 16), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}
