#include <zelmtools/mask/C32Mask.h>

#include <cstdarg>

#include "zelmtools/mask/MaskDetail.h"

namespace {

// Numbers outside 0 to 31 are no members: they set, clear and test nothing (a shift by
// them would be undefined).
bool IsMemberNumber(int n)
{
    return n >= 0 && n < C32Mask::kTerminator;
}

DWORD BitOf(int n)
{
    return DWORD{1} << n;
}

}  // namespace

C32Mask::C32Mask() : m_dwMask(0) {}

C32Mask::C32Mask(LONG value) : m_dwMask(static_cast<DWORD>(value)) {}

C32Mask::C32Mask(const C32Mask& other) : m_dwMask(other.m_dwMask) {}

C32Mask::C32Mask(int first, int second, ...) : m_dwMask(0)
{
    va_list rest;
    va_start(rest, second);
    zelm::tools::FillFromMemberList(*this, kTerminator, first, second, rest);
    va_end(rest);
}

void C32Mask::Init(int first, ...)
{
    va_list rest;
    va_start(rest, first);
    int second = va_arg(rest, int);
    zelm::tools::FillFromMemberList(*this, kTerminator, first, second, rest);
    va_end(rest);
}

void C32Mask::operator=(const C32Mask& other)
{
    m_dwMask = other.m_dwMask;
}

C32Mask& C32Mask::operator+=(int n)
{
    if (IsMemberNumber(n)) m_dwMask |= BitOf(n);
    return *this;
}

C32Mask& C32Mask::operator-=(int n)
{
    if (IsMemberNumber(n)) m_dwMask &= ~BitOf(n);
    return *this;
}

C32Mask& C32Mask::operator+=(const C32Mask& other)
{
    m_dwMask |= other.m_dwMask;
    return *this;
}

// The union under its second name.
C32Mask& C32Mask::operator|=(const C32Mask& other)
{
    return *this += other;
}

C32Mask& C32Mask::operator-=(const C32Mask& other)
{
    m_dwMask &= ~other.m_dwMask;
    return *this;
}

C32Mask& C32Mask::operator&=(const C32Mask& other)
{
    m_dwMask &= other.m_dwMask;
    return *this;
}

C32Mask& C32Mask::operator^=(const C32Mask& other)
{
    m_dwMask ^= other.m_dwMask;
    return *this;
}

void C32Mask::SetAt(int n, int value)
{
    if (value)
        *this += n;
    else
        *this -= n;
}

int C32Mask::operator[](int n) const
{
    return IsMemberNumber(n) && (m_dwMask & BitOf(n)) ? 1 : 0;
}

// The membership test under its other two names.
int C32Mask::GetAt(int n) const
{
    return (*this)[n];
}

int C32Mask::Has(int n) const
{
    return (*this)[n];
}

int C32Mask::IsEmpty() const
{
    return m_dwMask == 0 ? 1 : 0;
}

void C32Mask::Clear()
{
    m_dwMask = 0;
}

void C32Mask::Inverse()
{
    m_dwMask = ~m_dwMask;
}

void C32Mask::Inverse(int n)
{
    if (IsMemberNumber(n)) m_dwMask ^= BitOf(n);
}

C32Mask C32Mask::operator~()
{
    C32Mask complement(*this);
    complement.Inverse();
    return complement;
}

int C32Mask::CalcRisedNumber() const
{
    return zelm::tools::CountRisedBits(m_dwMask);
}

C32Mask operator&(const C32Mask& a, const C32Mask& b)
{
    return zelm::tools::ApplyToCopy(a, b, &C32Mask::operator&=);
}

C32Mask operator|(const C32Mask& a, const C32Mask& b)
{
    return zelm::tools::ApplyToCopy(a, b, &C32Mask::operator|=);
}

C32Mask operator^(const C32Mask& a, const C32Mask& b)
{
    return zelm::tools::ApplyToCopy(a, b, &C32Mask::operator^=);
}

int operator==(const C32Mask& a, const C32Mask& b)
{
    return a.m_dwMask == b.m_dwMask ? 1 : 0;
}

int operator!=(const C32Mask& a, const C32Mask& b)
{
    return a.m_dwMask != b.m_dwMask ? 1 : 0;
}
