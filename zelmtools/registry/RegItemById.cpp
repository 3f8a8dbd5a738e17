// CRegItem: the forms that name a key or value by string resource.

#include <string>

#include "framework/resources/ResourceChain.h"
#include <zelmtools/registry/RegItem.h>

namespace {

// The text of string resource nID through the resource chain; empty when no module has it.
CString ResourceName(UINT nID)
{
    std::string text;
    if (!zelm::framework::LoadResourceString(nID, text)) return CString();
    return CString(std::move(text));
}

}  // namespace

int CRegItem::CreateKey(UINT nID)
{
    return CreateKey(ResourceName(nID));
}

int CRegItem::CreateKeyEx(UINT nID)
{
    return CreateKeyEx(ResourceName(nID));
}

int CRegItem::SetValue(UINT nID, DWORD dwType, void* pData, DWORD dwSize)
{
    return SetValue(ResourceName(nID), dwType, pData, dwSize);
}

int CRegItem::QueryValue(UINT nID, DWORD dwType, void* pData, DWORD dwSize)
{
    return QueryValue(ResourceName(nID), dwType, pData, dwSize);
}

int CRegItem::GetType(UINT nID)
{
    return GetType(ResourceName(nID));
}

int CRegItem::GetSize(UINT nID)
{
    return GetSize(ResourceName(nID));
}

int CRegItem::SetValue(UINT nID, void* pData, DWORD dwSize)
{
    return SetValue(ResourceName(nID), pData, dwSize);
}

int CRegItem::QueryValue(UINT nID, void* pData, DWORD dwSize)
{
    return QueryValue(ResourceName(nID), pData, dwSize);
}

int CRegItem::SetValue(UINT nID, DWORD dwValue)
{
    return SetValue(ResourceName(nID), dwValue);
}

int CRegItem::SetValue(UINT nID, LONG lValue)
{
    return SetValue(ResourceName(nID), lValue);
}

int CRegItem::QueryValue(UINT nID, DWORD* pdwValue)
{
    return QueryValue(ResourceName(nID), pdwValue);
}

int CRegItem::QueryValue(UINT nID, LONG* plValue)
{
    return QueryValue(ResourceName(nID), plValue);
}

int CRegItem::GetValue(UINT nID, DWORD* pdwValue, DWORD dwDefault)
{
    return GetValue(ResourceName(nID), pdwValue, dwDefault);
}

int CRegItem::GetValue(UINT nID, LONG* plValue, LONG lDefault)
{
    return GetValue(ResourceName(nID), plValue, lDefault);
}

int CRegItem::SetValue(UINT nID, long lValue)
{
    return SetValue(ResourceName(nID), lValue);
}

int CRegItem::SetValue(UINT nID, unsigned long dwValue)
{
    return SetValue(ResourceName(nID), dwValue);
}

int CRegItem::QueryValue(UINT nID, long* plValue)
{
    return QueryValue(ResourceName(nID), plValue);
}

int CRegItem::QueryValue(UINT nID, unsigned long* pdwValue)
{
    return QueryValue(ResourceName(nID), pdwValue);
}

int CRegItem::GetValue(UINT nID, long* plValue, long lDefault)
{
    return GetValue(ResourceName(nID), plValue, lDefault);
}

int CRegItem::GetValue(UINT nID, unsigned long* pdwValue, unsigned long dwDefault)
{
    return GetValue(ResourceName(nID), pdwValue, dwDefault);
}

int CRegItem::SetValue(UINT nID, int nValue)
{
    return SetValue(ResourceName(nID), nValue);
}

int CRegItem::SetValue(UINT nID, unsigned int nValue)
{
    return SetValue(ResourceName(nID), nValue);
}

int CRegItem::QueryValue(UINT nID, int* pnValue)
{
    return QueryValue(ResourceName(nID), pnValue);
}

int CRegItem::QueryValue(UINT nID, unsigned int* pnValue)
{
    return QueryValue(ResourceName(nID), pnValue);
}

int CRegItem::GetValue(UINT nID, int* pnValue, int nDefault)
{
    return GetValue(ResourceName(nID), pnValue, nDefault);
}

int CRegItem::GetValue(UINT nID, unsigned int* pnValue, unsigned int nDefault)
{
    return GetValue(ResourceName(nID), pnValue, nDefault);
}

int CRegItem::SetValue(UINT nID, CTime time)
{
    return SetValue(ResourceName(nID), time);
}

int CRegItem::SetValue(UINT nID, CTimeSpan span)
{
    return SetValue(ResourceName(nID), span);
}

int CRegItem::QueryValue(UINT nID, CTime* pTime)
{
    return QueryValue(ResourceName(nID), pTime);
}

int CRegItem::QueryValue(UINT nID, CTimeSpan* pSpan)
{
    return QueryValue(ResourceName(nID), pSpan);
}

int CRegItem::GetValue(UINT nID, CTime* pTime, const CTime& timeDefault)
{
    return GetValue(ResourceName(nID), pTime, timeDefault);
}

int CRegItem::GetValue(UINT nID, CTimeSpan* pSpan, const CTimeSpan& spanDefault)
{
    return GetValue(ResourceName(nID), pSpan, spanDefault);
}

int CRegItem::SetValue(UINT nID, double dValue)
{
    return SetValue(ResourceName(nID), dValue);
}

int CRegItem::QueryValue(UINT nID, double* pdValue)
{
    return QueryValue(ResourceName(nID), pdValue);
}

int CRegItem::GetValue(UINT nID, double* pdValue, double dDefault)
{
    return GetValue(ResourceName(nID), pdValue, dDefault);
}

int CRegItem::SetValue(UINT nID, CSize size)
{
    return SetValue(ResourceName(nID), size);
}

int CRegItem::QueryValue(UINT nID, CSize* pSize)
{
    return QueryValue(ResourceName(nID), pSize);
}

int CRegItem::GetValue(UINT nID, CSize* pSize, const CSize& sizeDefault)
{
    return GetValue(ResourceName(nID), pSize, sizeDefault);
}

int CRegItem::SetValue(UINT nID, unsigned short wValue)
{
    return SetValue(ResourceName(nID), wValue);
}

int CRegItem::QueryValue(UINT nID, unsigned short* pwValue)
{
    return QueryValue(ResourceName(nID), pwValue);
}

int CRegItem::GetValue(UINT nID, unsigned short* pwValue, unsigned short wDefault)
{
    return GetValue(ResourceName(nID), pwValue, wDefault);
}

int CRegItem::SetValue(UINT nID, char chValue)
{
    return SetValue(ResourceName(nID), chValue);
}

int CRegItem::SetValue(UINT nID, unsigned char chValue)
{
    return SetValue(ResourceName(nID), chValue);
}

int CRegItem::QueryValue(UINT nID, char* pchValue)
{
    return QueryValue(ResourceName(nID), pchValue);
}

int CRegItem::QueryValue(UINT nID, unsigned char* pchValue)
{
    return QueryValue(ResourceName(nID), pchValue);
}

int CRegItem::GetValue(UINT nID, char* pchValue, char chDefault)
{
    return GetValue(ResourceName(nID), pchValue, chDefault);
}

int CRegItem::GetValue(UINT nID, unsigned char* pchValue, unsigned char chDefault)
{
    return GetValue(ResourceName(nID), pchValue, chDefault);
}

int CRegItem::SetValue(UINT nID, CRect rect)
{
    return SetValue(ResourceName(nID), rect);
}

int CRegItem::QueryValue(UINT nID, CRect* pRect)
{
    return QueryValue(ResourceName(nID), pRect);
}

int CRegItem::GetValue(UINT nID, CRect* pRect, const CRect& rectDefault)
{
    return GetValue(ResourceName(nID), pRect, rectDefault);
}

int CRegItem::SetValue(UINT nID, const char* pszValue)
{
    return SetValue(ResourceName(nID), pszValue);
}

int CRegItem::QueryValue(UINT nID, CString* pStr)
{
    return QueryValue(ResourceName(nID), pStr);
}

int CRegItem::GetValue(UINT nID, CString* pStr, const char* pszDefault)
{
    return GetValue(ResourceName(nID), pStr, pszDefault);
}
