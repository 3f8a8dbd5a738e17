#include <zelmtools/mask/CMask.h>

#include <cstdarg>

#include "zelmtools/mask/MaskDetail.h"

namespace {

// Numbers outside 0 to 255 are no members: they would address words outside the eight.
bool IsMemberNumber(int n)
{
    return n >= 0 && n < CMask::kTerminator;
}

}  // namespace

CMask::CMask()
{
    Clear();
}

CMask::CMask(const CMask& other)
{
    *this = other;
}

CMask::CMask(const C32Mask& other)
{
    *this = other;
}

CMask::CMask(int first, int second, ...)
{
    va_list rest;
    va_start(rest, second);
    zelm::tools::FillFromMemberList(*this, kTerminator, first, second, rest);
    va_end(rest);
}

void CMask::Init(int first, ...)
{
    va_list rest;
    va_start(rest, first);
    int second = va_arg(rest, int);
    zelm::tools::FillFromMemberList(*this, kTerminator, first, second, rest);
    va_end(rest);
}

CMask& CMask::operator=(const CMask& other)
{
    for (int i = 0; i < kWordCount; ++i) m_dwMask[i] = other.m_dwMask[i];
    return *this;
}

CMask& CMask::operator=(const C32Mask& other)
{
    Clear();
    m_dwMask[0] = other.m_dwMask;
    return *this;
}

CMask::operator C32Mask() const
{
    return C32Mask(static_cast<LONG>(m_dwMask[0]));
}

int CMask::Loc(int n)
{
    return n >> 5;
}

LONG CMask::Mask(int n)
{
    return static_cast<LONG>(DWORD{1} << (n & 31));
}

CMask& CMask::operator+=(int n)
{
    if (IsMemberNumber(n)) m_dwMask[Loc(n)] |= static_cast<DWORD>(Mask(n));
    return *this;
}

CMask& CMask::operator-=(int n)
{
    if (IsMemberNumber(n)) m_dwMask[Loc(n)] &= ~static_cast<DWORD>(Mask(n));
    return *this;
}

// The union is done by |=, which is the operation of its own.
CMask& CMask::operator+=(const CMask& other)
{
    return *this |= other;
}

CMask& CMask::operator|=(const CMask& other)
{
    for (int i = 0; i < kWordCount; ++i) m_dwMask[i] |= other.m_dwMask[i];
    return *this;
}

CMask& CMask::operator-=(const CMask& other)
{
    for (int i = 0; i < kWordCount; ++i) m_dwMask[i] &= ~other.m_dwMask[i];
    return *this;
}

CMask& CMask::operator&=(const CMask& other)
{
    for (int i = 0; i < kWordCount; ++i) m_dwMask[i] &= other.m_dwMask[i];
    return *this;
}

CMask& CMask::operator^=(const CMask& other)
{
    for (int i = 0; i < kWordCount; ++i) m_dwMask[i] ^= other.m_dwMask[i];
    return *this;
}

void CMask::SetAt(int n, int value)
{
    if (value)
        *this += n;
    else
        *this -= n;
}

int CMask::operator[](int n) const
{
    return IsMemberNumber(n) && (m_dwMask[Loc(n)] & static_cast<DWORD>(Mask(n))) ? 1 : 0;
}

// The membership test under its other two names.
int CMask::GetAt(int n) const
{
    return (*this)[n];
}

int CMask::Has(int n) const
{
    return (*this)[n];
}

int CMask::IsEmpty() const
{
    for (DWORD word : m_dwMask)
        if (word != 0) return 0;
    return 1;
}

void CMask::Clear()
{
    for (DWORD& word : m_dwMask) word = 0;
}

void CMask::Inverse()
{
    for (DWORD& word : m_dwMask) word = ~word;
}

void CMask::Inverse(int n)
{
    if (IsMemberNumber(n)) m_dwMask[Loc(n)] ^= static_cast<DWORD>(Mask(n));
}

CMask CMask::operator~()
{
    CMask complement(*this);
    complement.Inverse();
    return complement;
}

int CMask::CalcRisedNumber() const
{
    int count = 0;
    for (DWORD word : m_dwMask) count += zelm::tools::CountRisedBits(word);
    return count;
}

CMask operator&(const CMask& a, const CMask& b)
{
    return zelm::tools::ApplyToCopy(a, b, &CMask::operator&=);
}

CMask operator|(const CMask& a, const CMask& b)
{
    return zelm::tools::ApplyToCopy(a, b, &CMask::operator|=);
}

CMask operator^(const CMask& a, const CMask& b)
{
    return zelm::tools::ApplyToCopy(a, b, &CMask::operator^=);
}

int operator==(const CMask& a, const CMask& b)
{
    for (int i = 0; i < CMask::kWordCount; ++i)
        if (a.m_dwMask[i] != b.m_dwMask[i]) return 0;
    return 1;
}

int operator!=(const CMask& a, const CMask& b)
{
    return operator==(a, b) ? 0 : 1;
}
