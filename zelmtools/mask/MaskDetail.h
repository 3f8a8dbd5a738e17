#pragma once
// Steps shared by the two masks.

#include <cstdarg>

#include <zelmtools/platform/base/win_types.h>

namespace zelm::tools {

// The member lists of the list constructors and Init: the list ends at the
// terminator, but the first argument never ends it, so a list that starts with the
// terminator needs a second one.
template <class Set>
void FillFromMemberList(Set& set, int terminator, int first, int next, va_list rest)
{
    set.Clear();
    if (first != terminator) set += first;
    while (next != terminator) {
        set += next;
        next = va_arg(rest, int);
    }
}

// The set bits of one word, looked at from the lowest up.
inline int CountRisedBits(DWORD word)
{
    int count = 0;
    for (int bit = 0; bit < 32; ++bit, word >>= 1) count += static_cast<int>(word & 1);
    return count;
}

// The free binary operators: a copy of the left operand with the compound operation
// applied.
template <class Set>
Set ApplyToCopy(const Set& left, const Set& right, Set& (Set::*compound)(const Set&))
{
    Set result(left);
    (result.*compound)(right);
    return result;
}

}  // namespace zelm::tools
