#pragma once
// The interface of the tests' component: an adder whose library counts its live
// objects and factory locks so that it can tell when it may be unloaded.

#include <zelmtools/platform/com/unknown.h>

// {6A1F3C52-8E0B-4D7A-9C21-5B3E7F40D918}
constexpr CLSID CLSID_TestAdder = {0x6A1F3C52, 0x8E0B, 0x4D7A, {0x9C, 0x21, 0x5B, 0x3E, 0x7F, 0x40, 0xD9, 0x18}};
// {0C4D9E71-2B6A-4F35-8D10-A7E2C95B3F64}
constexpr IID IID_ITestAdder = {0x0C4D9E71, 0x2B6A, 0x4F35, {0x8D, 0x10, 0xA7, 0xE2, 0xC9, 0x5B, 0x3F, 0x64}};

struct ITestAdder : IUnknown {
    virtual HRESULT Add(int a, int b, int* sum) = 0;

protected:
    ~ITestAdder() = default;
};
