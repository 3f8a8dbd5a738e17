#include "framework/files/CFileFind.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include <zelmtools/platform/base/errors.h>

namespace {

// Every name matches "*.*" in the system's rules, also one without a dot.
bool Matches(const std::string& pattern, const char* name)
{
    if (pattern == "*.*" || pattern == "*") return true;
    return fnmatch(pattern.c_str(), name, 0) == 0;
}

bool IsFolderEntry(const std::string& path)
{
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

BOOL CFileFind::FindFile(LPCSTR pstrName, DWORD)
{
    Close();
    std::string text = pstrName ? pstrName : "*.*";
    std::size_t slash = text.rfind('/');
    std::string root = slash == std::string::npos ? std::string() : text.substr(0, slash + 1);
    std::string pattern = slash == std::string::npos ? text : text.substr(slash + 1);
    std::unique_ptr<DIR, int (*)(DIR*)> folder(opendir(root.empty() ? "." : root.c_str()), closedir);
    if (!folder) {
        SetLastError(errno == EACCES ? DWORD{ERROR_ACCESS_DENIED} : DWORD{ERROR_PATH_NOT_FOUND});
        return FALSE;
    }
    m_root = root;
    while (const dirent* entry = readdir(folder.get())) {
        if (!Matches(pattern, entry->d_name)) continue;
        m_entries.push_back({entry->d_name, IsFolderEntry(root + entry->d_name)});
    }
    // The directory's own order differs between file systems; a sorted list does not.
    std::sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
    if (m_entries.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (m_next >= m_entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    ++m_next;
    return m_next < m_entries.size();
}

void CFileFind::Close()
{
    m_entries.clear();
    m_next = 0;
    m_root.Empty();
}

const CFileFind::Entry* CFileFind::Current() const
{
    return m_next == 0 || m_next > m_entries.size() ? nullptr : &m_entries[m_next - 1];
}

BOOL CFileFind::IsDirectory() const
{
    const Entry* entry = Current();
    return entry != nullptr && entry->directory;
}

BOOL CFileFind::IsDots() const
{
    const Entry* entry = Current();
    return entry != nullptr && (entry->name == "." || entry->name == "..");
}

CString CFileFind::GetFileName() const
{
    const Entry* entry = Current();
    return entry ? CString(entry->name) : CString();
}

CString CFileFind::GetFilePath() const
{
    const Entry* entry = Current();
    return entry ? m_root + entry->name.c_str() : CString();
}
