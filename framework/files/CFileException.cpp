#include "framework/files/CFileException.h"

#include <zelmtools/platform/base/errors.h>
#include "platform/base/error_text.h"
#include "platform/base/utf8.h"

#include <cstring>

namespace {

// %1 stands for the file's name.
const char* TemplateOf(int cause)
{
    switch (cause) {
    case CFileException::fileNotFound: return "%1 was not found.";
    case CFileException::badPath: return "%1 contains an invalid path.";
    case CFileException::tooManyOpenFiles: return "%1 could not be opened because there are too many open files.";
    case CFileException::accessDenied: return "Access to %1 was denied.";
    case CFileException::invalidFile: return "An unsupported operation was attempted on %1.";
    case CFileException::removeCurrentDir: return "%1 is the current folder and cannot be removed.";
    case CFileException::directoryFull: return "The folder of %1 is full.";
    case CFileException::badSeek: return "Seeking in %1 failed.";
    case CFileException::hardIO: return "A hardware input/output error was reported while accessing %1.";
    case CFileException::sharingViolation: return "A sharing violation occurred while accessing %1.";
    case CFileException::lockViolation: return "A locking violation occurred while accessing %1.";
    case CFileException::diskFull: return "The disk is full while writing to %1.";
    case CFileException::endOfFile: return "An attempt was made to access %1 past its end.";
    default: return "An unexpected error occurred while accessing %1: %2.";
    }
}

}  // namespace

CString CFileException::GetErrorMessage() const
{
    CString text(TemplateOf(m_cause));
    // The causes that say nothing of the reason carry the system's own words.
    text.Replace("%2", zelm::platform::ErrorText(static_cast<DWORD>(m_lOsError)).c_str());
    text.Replace("%1", m_strFileName.IsEmpty() ? "an unnamed file" : m_strFileName.GetString());
    // A sentence that starts with the placeholder keeps a capital letter.
    if (text.Left(3) == "an ") text.SetAt(0, 'A');
    return text;
}

BOOL CFileException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pnHelpContext) *pnHelpContext = 0;
    if (lpszError == nullptr || nMaxError == 0) return FALSE;
    CString text = GetErrorMessage();
    std::size_t length = zelm::platform::Utf8PrefixLength(text, text.GetLength(), nMaxError - 1);
    std::memcpy(lpszError, text.GetString(), length);
    lpszError[length] = '\0';
    return TRUE;
}

int CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError) {
    case ERROR_SUCCESS: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_DIRECTORY: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    case ERROR_IO_DEVICE: return hardIO;
    default: return genericException;
    }
}

void CFileException::ThrowOsError(LONG lOsError, LPCSTR lpszFileName)
{
    throw new CFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}
