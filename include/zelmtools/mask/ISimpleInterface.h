#pragma once

#include <zelmtools/platform/base/export.h>
// The smallest interface base: a query by name and one operation each object defines.
// The destructor is protected and not virtual, so a holder of only this interface
// cannot delete the object; it hands the object back through Release instead.

class ZELM_API ISimpleInterface {
public:
    ISimpleInterface() = default;
    ISimpleInterface(const ISimpleInterface&) {}
    ISimpleInterface& operator=(const ISimpleInterface&) { return *this; }

    // Stores the interface called name in *result, or null, and returns 1 or 0.
    // The base knows no interface.
    virtual int QueryInterface(const char* name, void** result);
    // Ends the holder's use of the object; what that means is the object's own affair.
    virtual void Release() = 0;

protected:
    ~ISimpleInterface() = default;
};
