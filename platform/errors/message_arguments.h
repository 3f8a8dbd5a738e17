#pragma once
// The insert arguments of one formatting call: an array of pointer-sized values or a
// va_list read in order, both addressed by insert number.

#include <array>
#include <cstdarg>

#include <zelmtools/platform/base/win_types.h>

namespace zelm::platform {

class MessageArguments {
public:
    // One more than %99!*.*s! can reach (99 for the width, 100 the precision, 101 the value).
    static constexpr int kMaxNumber = 101;

    MessageArguments(va_list* arguments, bool isArray) : m_list(arguments), m_isArray(isArray) {}

    bool Present() const { return m_list != nullptr; }

    // The value of insert number (1-based, at most kMaxNumber). A va_list is read only
    // as far as the highest number asked for, each value once.
    DWORD_PTR Get(int number)
    {
        if (m_isArray) return reinterpret_cast<const DWORD_PTR*>(m_list)[number - 1];
        while (m_read < number) m_values[m_read++] = va_arg(*m_list, DWORD_PTR);
        return m_values[number - 1];
    }

private:
    va_list* m_list;
    bool m_isArray;
    int m_read = 0;
    std::array<DWORD_PTR, kMaxNumber> m_values{};
};

}  // namespace zelm::platform
