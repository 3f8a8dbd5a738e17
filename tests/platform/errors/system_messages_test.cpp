#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/base/format_message.h>
#include <zelmtools/platform/kernel/resources.h>

namespace {

constexpr DWORD kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT);
constexpr DWORD kRussian = MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT);

std::string SystemText(DWORD code, DWORD language, DWORD extraFlags = FORMAT_MESSAGE_IGNORE_INSERTS)
{
    char buffer[1024] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | extraFlags, nullptr, code, language, buffer,
                                  sizeof buffer, nullptr);
    return length ? std::string(buffer, length) : std::string();
}

// Sets the locale variables for one test and puts the old values back.
class LocaleEnvironment {
public:
    LocaleEnvironment(const char* lcAll, const char* lcMessages, const char* lang)
    {
        Set("LC_ALL", lcAll);
        Set("LC_MESSAGES", lcMessages);
        Set("LANG", lang);
    }
    ~LocaleEnvironment()
    {
        for (auto& [name, value] : m_saved) value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }

private:
    void Set(const char* name, const char* value)
    {
        const char* old = std::getenv(name);
        m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    std::vector<std::pair<const char*, std::optional<std::string>>> m_saved;
};

}  // namespace

TEST(SystemMessages, EnglishTextsOfCodesAndResults)
{
    EXPECT_EQ(SystemText(5, kEnglish), "Access is denied.\r\n");
    EXPECT_EQ(SystemText(0x80004005, kEnglish), "Unspecified error\r\n");
    EXPECT_EQ(SystemText(0x80004002, kEnglish), "No such interface supported\r\n");
    // A wrapped system code reads as the code itself.
    EXPECT_EQ(SystemText(0x80070005, kEnglish), "Access is denied.\r\n");
    EXPECT_EQ(SystemText(0x80070057, kEnglish), "The parameter is incorrect.\r\n");
    // Line-width mode turns the final line break into a space.
    EXPECT_EQ(SystemText(5, kEnglish, FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK),
              "Access is denied. ");
}

TEST(SystemMessages, UnknownCodeGivesNoText)
{
    char buffer[64] = "untouched";
    for (DWORD code : {DWORD{0x1234567}, DWORD{0x80071234}, DWORD{99999}}) {
        EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code, kEnglish, buffer, 64, nullptr), 0u);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
    }
}

TEST(SystemMessages, InsertsOfSystemTextsWithoutArgumentsStay)
{
    EXPECT_EQ(SystemText(ERROR_MR_MID_NOT_FOUND, kEnglish, 0),
              "The system cannot find message text for message number 0x%1 in the message file for %2.\r\n");
}

TEST(SystemMessages, LanguageFromIdOrEnvironment)
{
    EXPECT_EQ(SystemText(5, kRussian), "Отказано в доступе.\r\n");
    EXPECT_EQ(SystemText(0x80004005, kRussian), "Неопознанная ошибка\r\n");
    {
        LocaleEnvironment ru(nullptr, nullptr, "ru_RU.UTF-8");
        EXPECT_EQ(SystemText(5, 0), "Отказано в доступе.\r\n");
        EXPECT_EQ(SystemText(5, LANG_USER_DEFAULT), "Отказано в доступе.\r\n");
        EXPECT_EQ(SystemText(5, kEnglish), "Access is denied.\r\n");
    }
    {
        LocaleEnvironment allWins("C.UTF-8", "ru_RU.UTF-8", "ru_RU.UTF-8");
        EXPECT_EQ(SystemText(5, 0), "Access is denied.\r\n");
    }
    {
        LocaleEnvironment messages(nullptr, "ru_UA.UTF-8", "de_DE.UTF-8");
        EXPECT_EQ(SystemText(2, LANG_USER_DEFAULT), "Не удается найти указанный файл.\r\n");
    }
    char buffer[64];
    EXPECT_EQ(
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 5, MAKELANGID(0x07, SUBLANG_DEFAULT), buffer, 64, nullptr),
        0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MUI_FILE_NOT_FOUND));
}

namespace {

// One block of ids 100 and 101: an ANSI entry with an insert, then a UTF-16 one.
const BYTE kTable[] = {
    1,    0,    0, 0,                                           // blocks
    100,  0,    0, 0, 101, 0,   0,   0,   16,   0,    0,    0,  // ids 100..101, entries at 16
    20,   0,    0, 0, 'D', 'i', 's', 'k', ' ',  '%',  '1',  ' ',  'f',  'u',  'l', 'l',
    '\r', '\n', 0, 0, 12,  0,   1,   0,   0x1F, 0x04, 0x40, 0x04, 0x38, 0x04, 0,   0,  // "При"
};
const BYTE kTruncated[] = {1, 0, 0, 0, 100, 0, 0, 0, 101, 0, 0, 0, 16, 0, 0, 0, 200, 0, 0, 0};
const zelm::platform::ResourceEntry kWithTable[] = {{11, 1, kTable, sizeof kTable}};
const zelm::platform::ResourceEntry kBroken[] = {{11, 1, kTruncated, sizeof kTruncated}};
const zelm::platform::ResourceEntry kWithout[] = {{6, 1, kTable, 4}};

DWORD FromModule(HMODULE module, DWORD id, std::string& text, DWORD extraFlags = 0)
{
    char buffer[128] = {};
    DWORD_PTR args[] = {reinterpret_cast<DWORD_PTR>("C:")};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY | extraFlags, module, id,
                                  0, buffer, sizeof buffer, reinterpret_cast<va_list*>(args));
    text = buffer;
    return length ? static_cast<DWORD>(ERROR_SUCCESS) : GetLastError();
}

}  // namespace

TEST(ModuleMessages, ReadsTheMessageTableResource)
{
    using namespace zelm::platform;
    HMODULE module = RegisterModuleResources("messages", false, kWithTable, 1);
    std::string text;
    EXPECT_EQ(FromModule(module, 100, text), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(text, "Disk C: full\r\n");
    EXPECT_EQ(FromModule(module, 101, text), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(text, "При");
    EXPECT_EQ(FromModule(module, 102, text), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
    // The system's table answers what the module's does not have.
    EXPECT_EQ(FromModule(module, 5, text, FORMAT_MESSAGE_FROM_SYSTEM), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(text, "Access is denied.\r\n");
    UnregisterModuleResources(module);

    HMODULE broken = RegisterModuleResources("brokenmessages", false, kBroken, 1);
    EXPECT_EQ(FromModule(broken, 100, text), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
    UnregisterModuleResources(broken);

    HMODULE without = RegisterModuleResources("nomessages", false, kWithout, 1);
    EXPECT_EQ(FromModule(without, 100, text), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    UnregisterModuleResources(without);
}
