// The loader's subsystem information: its modules and its version block.
#include <cstdio>
#include <string>

#include <zelmtools/errorinfo/ErrorInfo.h>
#include <zelmtools/platform/kernel/version.h>

#include "zelmtools/errorinfo/WideText.h"

CResourceErrorInfoLoader::CResourceErrorInfoLoader(UINT nSubsystemID, LPCWSTR pszHelpFileName)
    : m_nSubsystemID(nSubsystemID),
      m_strHelpFile(pszHelpFileName ? pszHelpFileName : u""),
      m_bHasHelpFile(pszHelpFileName != nullptr)
{
}

CResourceErrorInfoLoader::~CResourceErrorInfoLoader() = default;

bool CResourceErrorInfoLoader::InitSubsystemInfo(HINSTANCE hSubsystemModule, HINSTANCE hResourceModule)
{
    char path[260];
    if (GetModuleFileNameA(hSubsystemModule, path, sizeof path) == 0) return false;
    DWORD size = GetFileVersionInfoSizeA(path, nullptr);
    if (size == 0) return false;
    // Read into a block of its own, so that a failure leaves block and handles matching.
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoA(path, 0, size, block.data())) return false;
    m_versionInfo = std::move(block);
    m_hSubsystemModule = hSubsystemModule;
    m_hResourceModule = hResourceModule;
    return true;
}

bool CResourceErrorInfoLoader::GetVersionString(WORD wLanguage, const char* pszKey, CComBSTR& strValue) const
{
    if (m_versionInfo.empty() || pszKey == nullptr) return false;
    char language[8];
    std::snprintf(language, sizeof language, "0%X", static_cast<unsigned>(wLanguage));
    std::string query = std::string("\\StringFileInfo\\") + language + "04B0\\" + pszKey;
    LPVOID value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(m_versionInfo.data(), query.c_str(), &value, &length) || value == nullptr) return false;
    auto wide = zelm::errorinfo::AnsiToWide(static_cast<const char*>(value), static_cast<int>(length));
    if (!wide) return false;
    strValue = CComBSTR(static_cast<int>(wide->size()), wide->c_str());
    return true;
}

bool CResourceErrorInfoLoader::GetSubSystemName(WORD wLanguage, CComBSTR& strValue) const
{
    return GetVersionString(wLanguage, "FileDescription", strValue);
}

bool CResourceErrorInfoLoader::GetSubSystemBuild(WORD wLanguage, CComBSTR& strValue) const
{
    return GetVersionString(wLanguage, "FileVersion", strValue);
}
