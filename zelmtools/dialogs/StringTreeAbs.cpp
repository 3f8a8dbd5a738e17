#include <zelmtools/dialogs/StringTree.h>

CStringTreeFilterAbs::~CStringTreeFilterAbs() = default;

CStringTreeDataTestAbs::CStringTreeDataTestAbs() : m_strLastError("Неизвестная ошибка.") {}

CStringTreeDataTestAbs::CStringTreeDataTestAbs(const CStringTreeDataTestAbs& other) = default;

CStringTreeDataTestAbs& CStringTreeDataTestAbs::operator=(const CStringTreeDataTestAbs& other) = default;

CStringTreeDataTestAbs::~CStringTreeDataTestAbs() = default;

void CStringTreeDataTestAbs::SetLastError(const char* pszError)
{
    m_strLastError = pszError;
}

CString CStringTreeDataTestAbs::GetLastError()
{
    return m_strLastError;
}
