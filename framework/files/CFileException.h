#pragma once
// The framework's file exception: what went wrong (m_cause), the system's error code
// and the file it concerns. Thrown by pointer and freed with Delete(), as the framework's
// exceptions are.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/framework/core/CException.h>
#include <zelmtools/framework/strings/CString.h>

class ZELM_API CFileException : public CException {
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    CFileException(int cause = none, LONG lOsError = -1, LPCSTR lpszArchiveName = nullptr)
        : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName)
    {
    }

    // "<file> was not found.", "Access to <file> was denied.", ...: names the file and the reason.
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
    CString GetErrorMessage() const;

    static int OsErrorToException(LONG lOsError);
    [[noreturn]] static void ThrowOsError(LONG lOsError, LPCSTR lpszFileName = nullptr);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};
