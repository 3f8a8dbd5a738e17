#pragma once
// A 32-bit integer that is a type of its own. The interface's DWORD and LONG are the
// original's unsigned long and long: 32 bits wide, yet types that overloads tell apart
// from unsigned int and int (a DWORD written to the registry is REG_DWORD, an unsigned
// int is binary). This build's C++ long is 64 bits and would change every record
// layout, so the two are this class instead: it has the size, alignment and bytes of
// Rep, converts to and from every arithmetic type as Rep does, and takes part in
// arithmetic as Rep.
//
// Where it differs from a built-in integer: a value converts to another class (say a
// constructor taking LONG) only from a DWORD/LONG, not from a plain int in one step;
// std::min/std::max want both operands of one type; a conditional expression wants
// both branches of one type.

#include <concepts>
#include <cstdint>
#include <functional>
#include <limits>
#include <type_traits>

namespace zelm::platform {

template <typename Rep, typename Tag>
class DistinctInt32 {
    static_assert(std::is_integral_v<Rep> && sizeof(Rep) == 4);

public:
    using rep_type = Rep;

    // Left unset like a built-in integer; DistinctInt32{} is zero.
    DistinctInt32() = default;
    template <typename T>
    requires std::is_arithmetic_v<T> || std::is_enum_v<T>
    constexpr DistinctInt32(T value) noexcept : m_value(static_cast<Rep>(value)) {}
    template <typename OtherRep, typename OtherTag>
    constexpr DistinctInt32(DistinctInt32<OtherRep, OtherTag> other) noexcept
        : m_value(static_cast<Rep>(static_cast<OtherRep>(other)))
    {
    }

    constexpr operator Rep() const noexcept { return m_value; }

    // Built-in compound assignments do not convert their left operand: these do what
    // they would do on Rep (wrapping as unsigned arithmetic does).
    template <typename T>
    constexpr DistinctInt32& operator+=(T rhs) noexcept
    {
        return *this = m_value + rhs;
    }
    template <typename T>
    constexpr DistinctInt32& operator-=(T rhs) noexcept
    {
        return *this = m_value - rhs;
    }
    template <typename T>
    constexpr DistinctInt32& operator*=(T rhs) noexcept
    {
        return *this = m_value * rhs;
    }
    template <typename T>
    constexpr DistinctInt32& operator/=(T rhs) noexcept
    {
        return *this = m_value / rhs;
    }
    template <typename T>
    constexpr DistinctInt32& operator%=(T rhs) noexcept
    {
        return *this = m_value % rhs;
    }
    template <typename T>
    constexpr DistinctInt32& operator&=(T rhs) noexcept
    {
        return *this = m_value & rhs;
    }
    template <typename T>
    constexpr DistinctInt32& operator|=(T rhs) noexcept
    {
        return *this = m_value | rhs;
    }
    template <typename T>
    constexpr DistinctInt32& operator^=(T rhs) noexcept
    {
        return *this = m_value ^ rhs;
    }
    template <typename T>
    constexpr DistinctInt32& operator<<=(T rhs) noexcept
    {
        return *this = m_value << rhs;
    }
    template <typename T>
    constexpr DistinctInt32& operator>>=(T rhs) noexcept
    {
        return *this = m_value >> rhs;
    }
    constexpr DistinctInt32& operator++() noexcept { return *this += 1; }
    constexpr DistinctInt32& operator--() noexcept { return *this -= 1; }
    constexpr DistinctInt32 operator++(int) noexcept
    {
        DistinctInt32 before = *this;
        ++*this;
        return before;
    }
    constexpr DistinctInt32 operator--(int) noexcept
    {
        DistinctInt32 before = *this;
        --*this;
        return before;
    }

private:
    Rep m_value;
};

}  // namespace zelm::platform

// Limits and hashing as for Rep, so that generic code sees the number it holds.
template <typename Rep, typename Tag>
class std::numeric_limits<zelm::platform::DistinctInt32<Rep, Tag>> : public std::numeric_limits<Rep> {
};

template <typename Rep, typename Tag>
struct std::hash<zelm::platform::DistinctInt32<Rep, Tag>> {
    std::size_t operator()(zelm::platform::DistinctInt32<Rep, Tag> value) const noexcept
    {
        return std::hash<Rep>{}(value);
    }
};
