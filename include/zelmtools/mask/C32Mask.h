#pragma once
// A set of the numbers 0 to 31 held in one 32-bit word: a plain value, copied as the word.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

class ZELM_API C32Mask {
public:
    // The end marker of the member lists of the list constructor and Init.
    static constexpr int kTerminator = 32;

    C32Mask();
    C32Mask(LONG value);
    C32Mask(const C32Mask& other);
    // Members up to the terminator 32; the first argument never ends the list.
    C32Mask(int first, int second, ...);

    void Init(int first, ...);

    void operator=(const C32Mask& other);
    C32Mask& operator+=(int n);
    C32Mask& operator-=(int n);
    C32Mask& operator+=(const C32Mask& other);
    C32Mask& operator|=(const C32Mask& other);
    C32Mask& operator-=(const C32Mask& other);
    C32Mask& operator&=(const C32Mask& other);
    C32Mask& operator^=(const C32Mask& other);

    void SetAt(int n, int value);
    int operator[](int n) const;
    int GetAt(int n) const;
    int Has(int n) const;

    int IsEmpty() const;
    void Clear();
    void Inverse();
    void Inverse(int n);
    C32Mask operator~();
    int CalcRisedNumber() const;

    DWORD m_dwMask;
};

ZELM_API C32Mask operator&(const C32Mask& a, const C32Mask& b);
ZELM_API C32Mask operator|(const C32Mask& a, const C32Mask& b);
ZELM_API C32Mask operator^(const C32Mask& a, const C32Mask& b);
ZELM_API int operator==(const C32Mask& a, const C32Mask& b);
ZELM_API int operator!=(const C32Mask& a, const C32Mask& b);
