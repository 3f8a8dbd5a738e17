#pragma once
// A set of the numbers 0 to 255 held in eight 32-bit words: number n lives in word
// n / 32 at bit n mod 32. A plain value of 32 bytes.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>
#include <zelmtools/mask/C32Mask.h>

class ZELM_API CMask {
public:
    static constexpr int kWordCount = 8;
    // The end marker of the member lists of the list constructor and Init.
    static constexpr int kTerminator = 256;

    CMask();
    CMask(const CMask& other);
    CMask(const C32Mask& other);
    // Members up to the terminator 256; the first argument never ends the list.
    CMask(int first, int second, ...);

    void Init(int first, ...);

    CMask& operator=(const CMask& other);
    CMask& operator=(const C32Mask& other);
    operator C32Mask() const;

    CMask& operator+=(int n);
    CMask& operator-=(int n);
    CMask& operator+=(const CMask& other);
    CMask& operator|=(const CMask& other);
    CMask& operator-=(const CMask& other);
    CMask& operator&=(const CMask& other);
    CMask& operator^=(const CMask& other);

    void SetAt(int n, int value);
    int operator[](int n) const;
    int GetAt(int n) const;
    int Has(int n) const;

    int IsEmpty() const;
    void Clear();
    void Inverse();
    void Inverse(int n);
    CMask operator~();
    int CalcRisedNumber() const;

    DWORD m_dwMask[kWordCount];

protected:
    static int Loc(int n);
    static LONG Mask(int n);
};

ZELM_API CMask operator&(const CMask& a, const CMask& b);
ZELM_API CMask operator|(const CMask& a, const CMask& b);
ZELM_API CMask operator^(const CMask& a, const CMask& b);
ZELM_API int operator==(const CMask& a, const CMask& b);
ZELM_API int operator!=(const CMask& a, const CMask& b);
