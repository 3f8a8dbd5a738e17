#pragma once
// The framework's growable array of values, kept in one block.

#include <utility>
#include <vector>

#include <zelmtools/framework/core/CObject.h>
#include <zelmtools/platform/base/win_types.h>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_items.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }

    INT_PTR Add(ARG_TYPE newElement)
    {
        m_items.push_back(newElement);
        return GetUpperBound();
    }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_items.at(static_cast<std::size_t>(nIndex)) = newElement; }
    const TYPE& GetAt(INT_PTR nIndex) const { return m_items.at(static_cast<std::size_t>(nIndex)); }
    TYPE& ElementAt(INT_PTR nIndex) { return m_items.at(static_cast<std::size_t>(nIndex)); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        auto first = m_items.begin() + nIndex;
        m_items.erase(first, first + nCount);
    }
    void RemoveAll() { m_items.clear(); }

private:
    std::vector<TYPE> m_items;
};
