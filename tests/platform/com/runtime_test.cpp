#include <gtest/gtest.h>

#include <thread>

#include <zelmtools/platform/com/objbase.h>

#include "support/temp_registry.h"

TEST(ComRuntime, InitialisationIsCountedPerThread)
{
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);  // not counted

    std::thread([] {
        // The other thread starts uninitialised and picks its own model.
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        CoUninitialize();
    }).join();

    CoUninitialize();
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);  // one initialisation is still held
    CoUninitialize();
    CoUninitialize();
    CoUninitialize();  // one too many: ignored
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    CoUninitialize();
    int reserved = 0;
    EXPECT_EQ(CoInitialize(&reserved), E_INVALIDARG);
}

TEST(ComRuntime, CreationNeedsInitialisationAndARegisteredClass)
{
    TempRegistry registry;
    constexpr CLSID kUnknownClass = {0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}};
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CoCreateInstance(kUnknownClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object),
              CO_E_NOTINITIALIZED);
    EXPECT_EQ(object, nullptr);
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoCreateInstance(kUnknownClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(CoCreateInstance(kUnknownClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, nullptr), E_POINTER);
    CoUninitialize();
}

TEST(ComRuntime, IdentifiersAsText)
{
    constexpr GUID kGuid = {0x6A1F3C52, 0x8E0B, 0x4D7A, {0x9C, 0x21, 0x5B, 0x3E, 0x7F, 0x40, 0xD9, 0x18}};
    OLECHAR text[39];
    ASSERT_EQ(StringFromGUID2(kGuid, text, 39), 39);
    EXPECT_EQ(std::u16string(text), u"{6A1F3C52-8E0B-4D7A-9C21-5B3E7F40D918}");
    EXPECT_EQ(StringFromGUID2(kGuid, text, 38), 0);

    CLSID parsed{};
    ASSERT_EQ(CLSIDFromString(u"{6a1f3c52-8e0b-4d7a-9c21-5b3e7f40d918}", &parsed), NOERROR);
    EXPECT_TRUE(IsEqualGUID(parsed, kGuid));
    for (const char16_t* bad :
         {u"6A1F3C52-8E0B-4D7A-9C21-5B3E7F40D918", u"{6A1F3C52-8E0B-4D7A-9C21-5B3E7F40D91G}",
          u"{6A1F3C52+8E0B-4D7A-9C21-5B3E7F40D918}", u"{6A1F3C52-8E0B-4D7A-9C21-5B3E7F40D918}x", u""})
        EXPECT_EQ(CLSIDFromString(bad, &parsed), CO_E_CLASSSTRING) << std::u16string(bad).size();
    EXPECT_EQ(CLSIDFromString(nullptr, &parsed), NOERROR);
    EXPECT_TRUE(IsEqualGUID(parsed, CLSID_NULL));
    EXPECT_TRUE(SUCCEEDED(S_FALSE));
    EXPECT_TRUE(FAILED(REGDB_E_CLASSNOTREG));
    EXPECT_EQ(HRESULT_FROM_WIN32(5), E_ACCESSDENIED);
}
