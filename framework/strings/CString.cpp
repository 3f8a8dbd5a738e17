#include <zelmtools/framework/strings/CString.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "framework/resources/ResourceChain.h"

namespace {

constexpr const char* kWhitespace = " \t\n\r\v\f";

std::size_t Clamp(int value, std::size_t limit)
{
    if (value < 0) return 0;
    return std::min(static_cast<std::size_t>(value), limit);
}

int FoundIndex(std::size_t pos) { return pos == std::string::npos ? -1 : static_cast<int>(pos); }

char ToLowerAscii(char ch) { return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch; }
char ToUpperAscii(char ch) { return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch; }

}  // namespace

CString& CString::operator=(const char* psz)
{
    m_str = psz ? psz : "";
    return *this;
}

CString& CString::operator=(char ch)
{
    m_str.assign(1, ch);
    return *this;
}

CString& CString::operator+=(const CString& s)
{
    m_str += s.m_str;
    return *this;
}

CString& CString::operator+=(const char* psz)
{
    if (psz) m_str += psz;
    return *this;
}

CString& CString::operator+=(char ch)
{
    m_str += ch;
    return *this;
}

int CString::Compare(const char* psz) const { return std::strcmp(m_str.c_str(), psz ? psz : ""); }

int CString::CompareNoCase(const char* psz) const { return strcasecmp(m_str.c_str(), psz ? psz : ""); }

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength()); }

CString CString::Mid(int nFirst, int nCount) const
{
    std::size_t first = Clamp(nFirst, m_str.size());
    std::size_t count = Clamp(nCount, m_str.size() - first);
    return CString(m_str.substr(first, count));
}

CString CString::Left(int nCount) const { return CString(m_str.substr(0, Clamp(nCount, m_str.size()))); }

CString CString::Right(int nCount) const
{
    std::size_t count = Clamp(nCount, m_str.size());
    return CString(m_str.substr(m_str.size() - count));
}

CString& CString::MakeUpper()
{
    std::transform(m_str.begin(), m_str.end(), m_str.begin(), ToUpperAscii);
    return *this;
}

CString& CString::MakeLower()
{
    std::transform(m_str.begin(), m_str.end(), m_str.begin(), ToLowerAscii);
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_str.begin(), m_str.end());
    return *this;
}

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0 || static_cast<std::size_t>(nStart) > m_str.size()) return -1;
    return FoundIndex(m_str.find(ch, static_cast<std::size_t>(nStart)));
}

int CString::Find(const char* pszSub, int nStart) const
{
    if (pszSub == nullptr || nStart < 0 || static_cast<std::size_t>(nStart) > m_str.size()) return -1;
    return FoundIndex(m_str.find(pszSub, static_cast<std::size_t>(nStart)));
}

int CString::ReverseFind(char ch) const { return FoundIndex(m_str.rfind(ch)); }

int CString::FindOneOf(const char* pszCharSet) const
{
    return pszCharSet ? FoundIndex(m_str.find_first_of(pszCharSet)) : -1;
}

CString& CString::TrimLeft() { return TrimLeft(kWhitespace); }

CString& CString::TrimLeft(char chTarget)
{
    const char set[2] = {chTarget, '\0'};
    return TrimLeft(set);
}

CString& CString::TrimLeft(const char* pszTargets)
{
    std::size_t first = m_str.find_first_not_of(pszTargets ? pszTargets : "");
    m_str.erase(0, first == std::string::npos ? m_str.size() : first);
    return *this;
}

CString& CString::TrimRight() { return TrimRight(kWhitespace); }

CString& CString::TrimRight(char chTarget)
{
    const char set[2] = {chTarget, '\0'};
    return TrimRight(set);
}

CString& CString::TrimRight(const char* pszTargets)
{
    std::size_t last = m_str.find_last_not_of(pszTargets ? pszTargets : "");
    m_str.erase(last == std::string::npos ? 0 : last + 1);
    return *this;
}

int CString::Replace(char chOld, char chNew)
{
    int count = 0;
    for (char& ch : m_str) {
        if (ch == chOld) {
            ch = chNew;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const char* pszOld, const char* pszNew)
{
    if (pszOld == nullptr || *pszOld == '\0') return 0;
    std::string_view oldText(pszOld);
    std::string_view newText(pszNew ? pszNew : "");
    std::string result;
    int count = 0;
    std::size_t pos = 0;
    for (std::size_t hit; (hit = m_str.find(oldText, pos)) != std::string::npos; pos = hit + oldText.size()) {
        result.append(m_str, pos, hit - pos).append(newText);
        ++count;
    }
    result.append(m_str, pos);
    m_str = std::move(result);
    return count;
}

int CString::Remove(char ch)
{
    auto oldSize = m_str.size();
    std::erase(m_str, ch);
    return static_cast<int>(oldSize - m_str.size());
}

int CString::Insert(int nIndex, char ch)
{
    m_str.insert(Clamp(nIndex, m_str.size()), 1, ch);
    return GetLength();
}

int CString::Insert(int nIndex, const char* psz)
{
    if (psz) m_str.insert(Clamp(nIndex, m_str.size()), psz);
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    std::size_t first = Clamp(nIndex, m_str.size());
    m_str.erase(first, Clamp(nCount, m_str.size() - first));
    return GetLength();
}

void CString::Format(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatV(const char* pszFormat, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, pszFormat, copy);
    va_end(copy);
    if (length < 0) {
        m_str.clear();
        return;
    }
    std::string result(static_cast<std::size_t>(length), '\0');
    std::vsnprintf(result.data(), result.size() + 1, pszFormat, args);
    m_str = std::move(result);
}

char* CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength()) m_str.resize(static_cast<std::size_t>(nMinBufLength), '\0');
    return m_str.data();
}

char* CString::GetBufferSetLength(int nNewLength)
{
    m_str.resize(static_cast<std::size_t>(nNewLength < 0 ? 0 : nNewLength), '\0');
    return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength)
{
    std::size_t length = nNewLength < 0 ? std::strlen(m_str.c_str()) : Clamp(nNewLength, m_str.size());
    m_str.resize(length);
}

BOOL CString::LoadString(UINT nID)
{
    std::string text;
    if (!zelm::framework::LoadResourceString(nID, text)) return FALSE;
    m_str = std::move(text);
    return TRUE;
}

CString operator+(const CString& a, const CString& b) { return CString(a.str() + b.str()); }
CString operator+(const CString& a, const char* b) { return CString(a.str() + (b ? b : "")); }
CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.str()); }
CString operator+(const CString& a, char b) { return CString(a.str() + b); }
CString operator+(char a, const CString& b) { return CString(a + b.str()); }
