#pragma once
// Enumerates the entries of one folder that match a name pattern ("*" and "?"; "*.*"
// matches every name, with or without a dot). FindFile starts the search; each
// FindNextFile moves to the next entry and is false once the current one is the last.
// "." and ".." are found as well (IsDots tells them). A link is reported as what it is,
// never as the folder it points to, so that a walk never leaves the tree it was given.

#include <string>
#include <vector>

#include <zelmtools/framework/core/CObject.h>
#include <zelmtools/framework/strings/CString.h>
#include <zelmtools/platform/base/export.h>

class ZELM_API CFileFind : public CObject {
public:
    CFileFind() = default;
    ~CFileFind() override = default;

    // "folder/pattern"; null means "*.*" in the working folder. False, with the last
    // error set (ERROR_FILE_NOT_FOUND when nothing matches, ERROR_PATH_NOT_FOUND when
    // the folder cannot be read), when there is nothing to find.
    BOOL FindFile(LPCSTR pstrName = nullptr, DWORD dwUnused = 0);
    BOOL FindNextFile();
    void Close();

    BOOL IsDirectory() const;
    BOOL IsDots() const;
    CString GetFileName() const;
    // The folder part of the pattern followed by the entry's name.
    CString GetFilePath() const;
    // The folder part of the pattern, with its final "/" ("" for the working folder).
    CString GetRoot() const { return m_root; }

private:
    struct Entry {
        std::string name;
        bool directory;
    };
    const Entry* Current() const;

    CString m_root;
    std::vector<Entry> m_entries;
    std::size_t m_next = 0;  // the entry the next FindNextFile makes current
};
