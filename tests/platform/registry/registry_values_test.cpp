#include <gtest/gtest.h>

#include <cstring>

#include "support/registry_helpers.h"
#include "support/temp_registry.h"

class RegistryValues : public ::testing::Test {
protected:
    void SetUp() override { m_key = CreateTestKey("Software\\Values"); }
    void TearDown() override { RegCloseKey(m_key); }

    TempRegistry m_store;
    HKEY m_key = nullptr;
};

TEST_F(RegistryValues, KeepTypeAndExactBytes)
{
    const std::string withZeros("a\0b\0", 4);
    ASSERT_EQ(SetBytes(m_key, "text", REG_SZ, "abc"), ERROR_SUCCESS);
    ASSERT_EQ(SetBytes(m_key, "zeros", REG_MULTI_SZ, withZeros), ERROR_SUCCESS);
    ASSERT_EQ(SetBytes(m_key, "empty", REG_BINARY, ""), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(m_key, "null", 0, REG_NONE, nullptr, 0), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(m_key, "bad", 0, REG_BINARY, nullptr, 3), ERROR_INVALID_PARAMETER);

    DWORD type = 0;
    EXPECT_EQ(QueryBytes(m_key, "text", &type), "abc");  // no terminator added
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(QueryBytes(m_key, "zeros", &type), withZeros);
    EXPECT_EQ(type, REG_MULTI_SZ);
    EXPECT_EQ(QueryBytes(m_key, "empty", &type), "");
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(QueryBytes(m_key, "null", &type), "");
    EXPECT_EQ(QueryBytes(m_key, "bad"), "<error 2>");
}

TEST_F(RegistryValues, SmallBufferFailsWithTheSizeNeededAndLargerOneFillsTheFront)
{
    ASSERT_EQ(SetBytes(m_key, "v", REG_DWORD, std::string("\x07\x00\x00\x00", 4)), ERROR_SUCCESS);
    BYTE buffer[8];
    std::memset(buffer, 0xEE, sizeof buffer);
    DWORD type = 0, size = 2;
    EXPECT_EQ(RegQueryValueExA(m_key, "v", nullptr, &type, buffer, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(buffer[0], 0xEE);  // untouched

    size = sizeof buffer;
    EXPECT_EQ(RegQueryValueExA(m_key, "v", nullptr, &type, buffer, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(buffer[0], 7);
    EXPECT_EQ(buffer[4], 0xEE);

    size = 0;
    EXPECT_EQ(RegQueryValueExA(m_key, "v", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(RegQueryValueExA(m_key, "v", nullptr, nullptr, buffer, nullptr), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryValues, NamesIgnoreCaseKeepTheFirstSpellingAndTheDefaultValueExists)
{
    ASSERT_EQ(SetBytes(m_key, "Größe", REG_BINARY, "1"), ERROR_SUCCESS);
    ASSERT_EQ(SetBytes(m_key, "GRÖSSE", REG_BINARY, "other"), ERROR_SUCCESS);  // not the same name
    ASSERT_EQ(SetBytes(m_key, "gRÖße", REG_SZ, "2"), ERROR_SUCCESS);
    DWORD type = 0;
    EXPECT_EQ(QueryBytes(m_key, "GRÖßE", &type), "2");
    EXPECT_EQ(type, REG_SZ);

    ASSERT_EQ(SetBytes(m_key, nullptr, REG_SZ, "default"), ERROR_SUCCESS);
    EXPECT_EQ(QueryBytes(m_key, ""), "default");

    char name[16];
    DWORD length = sizeof name;
    ASSERT_EQ(RegEnumValueA(m_key, 0, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_STREQ(name, "Größe");
}

TEST_F(RegistryValues, EnumerationFollowsCreationOrderWithData)
{
    ASSERT_EQ(SetBytes(m_key, "z", REG_BINARY, "1"), ERROR_SUCCESS);
    ASSERT_EQ(SetBytes(m_key, "a", REG_SZ, "22"), ERROR_SUCCESS);
    ASSERT_EQ(SetBytes(m_key, "z", REG_BINARY, "333"), ERROR_SUCCESS);  // rewriting keeps the place

    char name[8];
    BYTE data[8];
    DWORD length = sizeof name, type = 0, size = sizeof data;
    ASSERT_EQ(RegEnumValueA(m_key, 0, name, &length, nullptr, &type, data, &size), ERROR_SUCCESS);
    EXPECT_STREQ(name, "z");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), "333");
    length = sizeof name, size = 1;
    EXPECT_EQ(RegEnumValueA(m_key, 1, name, &length, nullptr, &type, data, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 2u);
    length = 1;
    EXPECT_EQ(RegEnumValueA(m_key, 1, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    length = sizeof name;
    EXPECT_EQ(RegEnumValueA(m_key, 2, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
}

TEST_F(RegistryValues, DeleteRemovesOnlyThatValue)
{
    ASSERT_EQ(SetBytes(m_key, "a", REG_BINARY, "1"), ERROR_SUCCESS);
    ASSERT_EQ(SetBytes(m_key, "b", REG_BINARY, "2"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(m_key, "A"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(m_key, "a"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(QueryBytes(m_key, "a"), "<error 2>");
    EXPECT_EQ(QueryBytes(m_key, "b"), "2");
}
