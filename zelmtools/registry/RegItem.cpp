// CRegItem: opening keys and the folder walk.

#include <zelmtools/registry/RegItem.h>

#include "framework/ui/MessageBox.h"
#include <zelmtools/platform/base/errors.h>

namespace {

bool IsSeparator(char ch)
{
    return ch == '\\' || ch == '/';
}

bool EndsWithSeparator(const CString& path)
{
    return !path.IsEmpty() && IsSeparator(path[path.GetLength() - 1]);
}

CString WithoutOneTrailingSeparator(const CString& path)
{
    return EndsWithSeparator(path) ? path.Left(path.GetLength() - 1) : path;
}

// path + "\" + name, without doubling a separator and without a leading one.
CString SubPath(const CString& path, const char* pszName)
{
    CString result = path;
    if (!result.IsEmpty() && !EndsWithSeparator(result)) result += '\\';
    return result += pszName;
}

int LastSeparator(const CString& path)
{
    for (int i = path.GetLength() - 1; i >= 0; --i) {
        if (IsSeparator(path[i])) return i;
    }
    return -1;
}

}  // namespace

CRegItem::CRegItem(HKEY hRootKey, const char* pszPath) : m_hRootKey(hRootKey), m_strRootPath(pszPath)
{
    m_strRootPath.TrimRight("\\/");
}

CRegItem::~CRegItem()
{
    CloseKey();
}

void CRegItem::SetDefault()
{
    m_dwReserved = 0;
    m_strPath = "MyApp\\1.0";
    m_dwOptions = REG_OPTION_NON_VOLATILE;
    m_samDesired = KEY_ALL_ACCESS;
    m_pSecurityAttributes = nullptr;
    m_pData = nullptr;
    m_dwSize = 0;
}

int CRegItem::Open()
{
    m_dwType = REG_DWORD;
    m_pData = nullptr;
    m_dwSize = 0;
    // A key still open here would be overwritten and never closed: release it first.
    if (m_bOpen) RegCloseKey(m_hKey);
    LONG code = RegCreateKeyExA(m_hRootKey, m_strPath, m_dwReserved, nullptr, m_dwOptions, m_samDesired,
                                m_pSecurityAttributes, &m_hKey, &m_dwDisposition);
    m_bOpen = code == ERROR_SUCCESS;
    return m_bOpen;
}

int CRegItem::CreateKey(const char* pszName)
{
    CString name = pszName;  // the name may live in one of our own fields
    SetDefault();
    m_strPath = m_strRootPath;
    if (!name.IsEmpty() && !m_strRootPath.IsEmpty() && !EndsWithSeparator(m_strRootPath)) m_strPath += '\\';
    m_strPath += name;
    return Open();
}

int CRegItem::CreateKeyEx(const char* pszPath)
{
    CString path = pszPath;
    SetDefault();
    if (path.IsEmpty()) {
        m_strPath = m_strRootPath;
    } else {
        m_strPath = path;
        m_strRootPath = path;
    }
    return Open();
}

int CRegItem::CloseKey()
{
    if (!m_bOpen) return 1;
    LONG code = RegCloseKey(m_hKey);
    m_bOpen = 0;
    return code == ERROR_SUCCESS;
}

int CRegItem::IsOpen()
{
    return m_dwDisposition == REG_OPENED_EXISTING_KEY;
}

void CRegItem::GetCurrentHKEY(HKEY* phKey)
{
    if (phKey) *phKey = m_hKey;
}

HKEY CRegItem::GetHKEY()
{
    return m_hKey;
}

void CRegItem::GetCurrentPath(CString* pPath)
{
    if (pPath) *pPath = m_strPath;
}

CString CRegItem::GetPath()
{
    return m_strPath;
}

int CRegItem::AddFolder(const char* pszName)
{
    if (m_strBasePath.IsEmpty()) m_strBasePath = WithoutOneTrailingSeparator(m_strPath);
    CString path = SubPath(m_strPath, pszName);
    if (!CloseKey()) return 0;
    return CreateKeyEx(path);
}

int CRegItem::BackFolder(int nCount)
{
    if (m_strBasePath.IsEmpty()) return 0;
    for (int pass = 0; pass < nCount; ++pass) {
        CString path = WithoutOneTrailingSeparator(m_strPath);
        if (path == m_strBasePath) return 0;
        path = path.Left(LastSeparator(path));
        if (!CloseKey() || !CreateKeyEx(path)) return 0;
    }
    return 1;
}

int CRegItem::FailDelete()
{
    DWORD error = GetLastError();  // the message box must not hide why the delete failed
    AfxMessageBox("Error: class CRegItem don't work under WindowsNT yet.", MB_OK);
    SetLastError(error);
    return 0;
}

int CRegItem::DeleteKey(int bReopen)
{
    if (!CloseKey()) return 0;
    if (RegDeleteKeyA(m_hRootKey, m_strPath) != ERROR_SUCCESS) return FailDelete();
    if (bReopen && !CreateKeyEx(nullptr)) return 0;
    return 1;
}

int CRegItem::DeleteFolder(const char* pszName)
{
    CString path = m_strPath;
    if (!EndsWithSeparator(path)) path += '\\';
    path += pszName;
    if (RegDeleteKeyA(m_hRootKey, path) != ERROR_SUCCESS) return FailDelete();
    return 1;
}

int CRegItem::IsFolderExist(const char* pszName)
{
    CString path = SubPath(m_strPath, pszName);
    if (path.IsEmpty()) return 0;
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(m_hRootKey, path, 0, KEY_READ, &hKey) != ERROR_SUCCESS) return 0;
    RegCloseKey(hKey);
    return 1;
}
