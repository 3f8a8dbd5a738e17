#pragma once
// The library's list base: a framework list that owns its elements by value and
// releases them all when it goes, also when it lives in a static of an unloading library.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/framework/collections/CList.h>

template <class TYPE, class ARG_TYPE>
class CSafeList : public CList<TYPE, ARG_TYPE> {
public:
    explicit CSafeList(INT_PTR nBlockSize = 10) : CList<TYPE, ARG_TYPE>(nBlockSize) {}
    ~CSafeList() override { this->RemoveAll(); }
};
