#include "platform/shell/item_ids.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string PathOf(LPCITEMIDLIST pidl)
{
    char path[MAX_PATH];
    return SHGetPathFromIDListA(pidl, path) ? std::string(path) : std::string("<none>");
}

TEST(ItemIdsTest, ListsNameTheirPathsAndTheDesktopIsTheRoot)
{
    LPITEMIDLIST folder = ILCreateFromPathA("/tmp/Папка с пробелом/");
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(PathOf(folder), "/tmp/Папка с пробелом");
    ILFree(folder);

    LPITEMIDLIST root = ILCreateFromPathA("/");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->mkid.cb, 0);  // the desktop is the empty list
    EXPECT_EQ(ILGetSize(root), 2u);
    EXPECT_EQ(PathOf(root), "/");
    ILFree(root);

    EXPECT_EQ(ILCreateFromPathA("relative/path"), nullptr);
    EXPECT_EQ(ILCreateFromPathA(""), nullptr);
    EXPECT_EQ(ILCreateFromPathA(nullptr), nullptr);
}

TEST(ItemIdsTest, PathThatDoesNotFitTheBufferIsRefusedNotCut)
{
    std::string fits = "/" + std::string(MAX_PATH - 2, 'a');  // 259 bytes and the terminator
    std::string tooLong = fits + "b";
    LPITEMIDLIST a = ILCreateFromPathA(fits.c_str());
    LPITEMIDLIST b = ILCreateFromPathA(tooLong.c_str());
    EXPECT_EQ(PathOf(a), fits);

    char buffer[MAX_PATH + 8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_FALSE(SHGetPathFromIDListA(b, buffer));
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[MAX_PATH], 'x');  // nothing written past the buffer
    std::string whole;
    EXPECT_TRUE(zelm::platform::PathFromItemList(b, whole));
    EXPECT_EQ(whole, tooLong);
    ILFree(a);
    ILFree(b);
}

TEST(ItemIdsTest, ForeignOrMissingListsNameNoPath)
{
    EXPECT_EQ(PathOf(nullptr), "<none>");
    BYTE foreign[] = {6, 0, 1, 2, 3, 4, 0, 0};
    EXPECT_EQ(PathOf(reinterpret_cast<LPCITEMIDLIST>(foreign)), "<none>");
    EXPECT_EQ(ILGetSize(reinterpret_cast<LPCITEMIDLIST>(foreign)), 8u);
}

TEST(ItemIdsTest, ShellAllocatorFreesItemLists)
{
    IMalloc* malloc = nullptr;
    ASSERT_EQ(SHGetMalloc(&malloc), S_OK);
    ASSERT_NE(malloc, nullptr);
    LPITEMIDLIST pidl = ILCreateFromPathA("/usr/share");
    EXPECT_GE(malloc->GetSize(pidl), ILGetSize(pidl));
    malloc->Free(pidl);

    void* block = malloc->Alloc(10);
    block = malloc->Realloc(block, 1000);
    ASSERT_NE(block, nullptr);
    EXPECT_GE(malloc->GetSize(block), 1000u);
    malloc->Free(block);

    IUnknown* unknown = nullptr;
    EXPECT_EQ(malloc->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
    EXPECT_EQ(unknown, static_cast<IUnknown*>(malloc));
    unknown->Release();
    void* other = &other;
    EXPECT_EQ(malloc->QueryInterface(GUID{1, 2, 3, {}}, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    malloc->Release();

    EXPECT_EQ(CoGetMalloc(0, &malloc), E_INVALIDARG);
    EXPECT_EQ(malloc, nullptr);
}

}  // namespace
