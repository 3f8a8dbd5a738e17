#pragma once
// The framework's growable array of strings.

#include <zelmtools/framework/collections/CArray.h>
#include <zelmtools/framework/strings/CString.h>

class CStringArray : public CArray<CString, const CString&> {
public:
    CStringArray() = default;
};
