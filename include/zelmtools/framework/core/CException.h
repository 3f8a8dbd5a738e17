#pragma once
// The framework's exceptions: thrown by pointer and freed with Delete().

#include <zelmtools/framework/core/CObject.h>
#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

class ZELM_API CException : public CObject {
public:
    // Frees an exception that was thrown by pointer.
    void Delete() { delete this; }
    // The standard description for a user; false when there is none.
    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const;
};

// A resource (a menu, a dialog template, ...) cannot be found or loaded.
class ZELM_API CResourceException : public CException {
public:
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
};

// Throws a new CResourceException.
[[noreturn]] ZELM_API void AfxThrowResourceException();
