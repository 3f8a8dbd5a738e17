#pragma once
// CRegItem: an open registry key below a root key and a root path, with folder
// navigation (down into sub-keys and back up, never above where the walk began) and
// typed values. Every operation returns 1 on success and 0 on failure unless it says
// otherwise; the platform's error code is left as the thread's last error.
//
// Every operation that names something by text also takes the number of a string
// resource in its place, found through the resource chain (the application's own
// resources first); a missing resource gives the empty name, which for values is the
// key's default value.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/framework/core/CObject.h>
#include <zelmtools/framework/strings/CString.h>
#include <zelmtools/framework/types/CRect.h>
#include <zelmtools/framework/types/CTime.h>
#include <zelmtools/framework/types/CTimeSpan.h>
#include <zelmtools/platform/base/win_types.h>
#include <zelmtools/platform/registry/registry.h>

class ZELM_API CRegItem : public CObject {
public:
    // The root path loses every trailing "\" and "/".
    CRegItem(HKEY hRootKey = HKEY_CURRENT_USER, const char* pszPath = "Software\\Brannic KSD\\");
    virtual ~CRegItem();
    // An object owns its open key: copies would close it twice.
    CRegItem(const CRegItem&) = delete;
    CRegItem& operator=(const CRegItem&) = delete;

    // The options every open uses; called first by each open, so a derived class can
    // choose other options, access or security attributes.
    virtual void SetDefault();

    // Opens or creates root path + "\" + name (null or empty: the root path itself).
    int CreateKey(const char* pszName);
    int CreateKey(UINT nID);
    // Opens or creates a path given whole, which also becomes the root path (null or
    // empty: the root path).
    int CreateKeyEx(const char* pszPath);
    int CreateKeyEx(UINT nID);
    int CloseKey();
    // 1 if the last open found the key already there, 0 if it created it (or nothing
    // was opened yet).
    int IsOpen();

    void GetCurrentHKEY(HKEY* phKey);
    HKEY GetHKEY();
    void GetCurrentPath(CString* pPath);
    CString GetPath();

    // Folder walk: AddFolder goes down into a sub-key of the current key (the first one
    // records where the walk began); BackFolder climbs nCount levels and stops with 0 at
    // the beginning, keeping the levels already climbed.
    int AddFolder(const char* pszName);
    int BackFolder(int nCount);
    // Deletes the current key (refused while it has sub-keys, with a message), then
    // reopens the root path when bReopen is not 0.
    int DeleteKey(int bReopen);
    // Deletes a sub-key of the current key, with a message on failure.
    int DeleteFolder(const char* pszName);
    int IsFolderExist(const char* pszName);

    // Core value operations. QueryValue succeeds whenever the value exists and fits
    // into dwSize bytes, whatever its type; a shorter value fills the buffer's first
    // bytes. Both record the value's actual type and size in m_dwType and m_dwSize.
    // With a null pData the core read only asks for the type and size, as the
    // platform's does; the typed reads below refuse a null pointer (0,
    // ERROR_INVALID_PARAMETER).
    int SetValue(const char* pszName, DWORD dwType, void* pData, DWORD dwSize);
    int SetValue(UINT nID, DWORD dwType, void* pData, DWORD dwSize);
    int QueryValue(const char* pszName, DWORD dwType, void* pData, DWORD dwSize);
    int QueryValue(UINT nID, DWORD dwType, void* pData, DWORD dwSize);
    // The stored type and size; 0 when the value cannot be read.
    int GetType(const char* pszName);
    int GetType(UINT nID);
    int GetSize(const char* pszName);
    int GetSize(UINT nID);

    // Raw blocks (REG_BINARY).
    int SetValue(const char* pszName, void* pData, DWORD dwSize);
    int SetValue(UINT nID, void* pData, DWORD dwSize);
    int QueryValue(const char* pszName, void* pData, DWORD dwSize);
    int QueryValue(UINT nID, void* pData, DWORD dwSize);

    // Integers in this 64-bit build: the interface's long and DWORD are 32 bits; our
    // LONG/DWORD are 32-bit types of their own (platform/base/win_types.h) while C++
    // long is 64 bits. Where the interface takes C++ long, a value must fit 32 bits
    // (long: signed, unsigned long: unsigned), refused otherwise, never cut: the call
    // returns 0 with ERROR_INVALID_PARAMETER and the store is untouched. A DWORD or
    // LONG value written to the store is REG_DWORD of 4 bytes, as long and unsigned
    // long are; int/unsigned int stay REG_BINARY. Reads into long sign-extend.
    int SetValue(const char* pszName, DWORD dwValue);
    int SetValue(UINT nID, DWORD dwValue);
    int SetValue(const char* pszName, LONG lValue);
    int SetValue(UINT nID, LONG lValue);
    int QueryValue(const char* pszName, DWORD* pdwValue);
    int QueryValue(UINT nID, DWORD* pdwValue);
    int QueryValue(const char* pszName, LONG* plValue);
    int QueryValue(UINT nID, LONG* plValue);
    int GetValue(const char* pszName, DWORD* pdwValue, DWORD dwDefault);
    int GetValue(UINT nID, DWORD* pdwValue, DWORD dwDefault);
    int GetValue(const char* pszName, LONG* plValue, LONG lDefault);
    int GetValue(UINT nID, LONG* plValue, LONG lDefault);
    int SetValue(const char* pszName, long lValue);
    int SetValue(UINT nID, long lValue);
    int SetValue(const char* pszName, unsigned long dwValue);
    int SetValue(UINT nID, unsigned long dwValue);
    int QueryValue(const char* pszName, long* plValue);
    int QueryValue(UINT nID, long* plValue);
    int QueryValue(const char* pszName, unsigned long* pdwValue);
    int QueryValue(UINT nID, unsigned long* pdwValue);
    int GetValue(const char* pszName, long* plValue, long lDefault);
    int GetValue(UINT nID, long* plValue, long lDefault);
    int GetValue(const char* pszName, unsigned long* pdwValue, unsigned long dwDefault);
    int GetValue(UINT nID, unsigned long* pdwValue, unsigned long dwDefault);

    // int and unsigned int: REG_BINARY of 4 bytes.
    int SetValue(const char* pszName, int nValue);
    int SetValue(UINT nID, int nValue);
    int SetValue(const char* pszName, unsigned int nValue);
    int SetValue(UINT nID, unsigned int nValue);
    int QueryValue(const char* pszName, int* pnValue);
    int QueryValue(UINT nID, int* pnValue);
    int QueryValue(const char* pszName, unsigned int* pnValue);
    int QueryValue(UINT nID, unsigned int* pnValue);
    int GetValue(const char* pszName, int* pnValue, int nDefault);
    int GetValue(UINT nID, int* pnValue, int nDefault);
    int GetValue(const char* pszName, unsigned int* pnValue, unsigned int nDefault);
    int GetValue(UINT nID, unsigned int* pnValue, unsigned int nDefault);

    // CTime and CTimeSpan: REG_BINARY of the 32-bit seconds value (times from 1970 to
    // 2106, spans within +-68 years; others are refused).
    int SetValue(const char* pszName, CTime time);
    int SetValue(UINT nID, CTime time);
    int SetValue(const char* pszName, CTimeSpan span);
    int SetValue(UINT nID, CTimeSpan span);
    int QueryValue(const char* pszName, CTime* pTime);
    int QueryValue(UINT nID, CTime* pTime);
    int QueryValue(const char* pszName, CTimeSpan* pSpan);
    int QueryValue(UINT nID, CTimeSpan* pSpan);
    int GetValue(const char* pszName, CTime* pTime, const CTime& timeDefault);
    int GetValue(UINT nID, CTime* pTime, const CTime& timeDefault);
    int GetValue(const char* pszName, CTimeSpan* pSpan, const CTimeSpan& spanDefault);
    int GetValue(UINT nID, CTimeSpan* pSpan, const CTimeSpan& spanDefault);

    // double: REG_BINARY of 8 bytes.
    int SetValue(const char* pszName, double dValue);
    int SetValue(UINT nID, double dValue);
    int QueryValue(const char* pszName, double* pdValue);
    int QueryValue(UINT nID, double* pdValue);
    int GetValue(const char* pszName, double* pdValue, double dDefault);
    int GetValue(UINT nID, double* pdValue, double dDefault);

    // CSize: REG_BINARY of 8 bytes (cx, cy).
    int SetValue(const char* pszName, CSize size);
    int SetValue(UINT nID, CSize size);
    int QueryValue(const char* pszName, CSize* pSize);
    int QueryValue(UINT nID, CSize* pSize);
    int GetValue(const char* pszName, CSize* pSize, const CSize& sizeDefault);
    int GetValue(UINT nID, CSize* pSize, const CSize& sizeDefault);

    // WORD: REG_BINARY of 2 bytes.
    int SetValue(const char* pszName, unsigned short wValue);
    int SetValue(UINT nID, unsigned short wValue);
    int QueryValue(const char* pszName, unsigned short* pwValue);
    int QueryValue(UINT nID, unsigned short* pwValue);
    int GetValue(const char* pszName, unsigned short* pwValue, unsigned short wDefault);
    int GetValue(UINT nID, unsigned short* pwValue, unsigned short wDefault);

    // char and unsigned char: REG_BINARY of 1 byte.
    int SetValue(const char* pszName, char chValue);
    int SetValue(UINT nID, char chValue);
    int SetValue(const char* pszName, unsigned char chValue);
    int SetValue(UINT nID, unsigned char chValue);
    int QueryValue(const char* pszName, char* pchValue);
    int QueryValue(UINT nID, char* pchValue);
    int QueryValue(const char* pszName, unsigned char* pchValue);
    int QueryValue(UINT nID, unsigned char* pchValue);
    int GetValue(const char* pszName, char* pchValue, char chDefault);
    int GetValue(UINT nID, char* pchValue, char chDefault);
    int GetValue(const char* pszName, unsigned char* pchValue, unsigned char chDefault);
    int GetValue(UINT nID, unsigned char* pchValue, unsigned char chDefault);

    // CRect: REG_BINARY of 16 bytes (left, top, right, bottom).
    int SetValue(const char* pszName, CRect rect);
    int SetValue(UINT nID, CRect rect);
    int QueryValue(const char* pszName, CRect* pRect);
    int QueryValue(UINT nID, CRect* pRect);
    int GetValue(const char* pszName, CRect* pRect, const CRect& rectDefault);
    int GetValue(UINT nID, CRect* pRect, const CRect& rectDefault);

    // Text: REG_SZ of the characters without a terminating zero (a null text is empty).
    // Reading gives the stored bytes up to the first zero; on failure the string keeps
    // what it held.
    int SetValue(const char* pszName, const char* pszValue);
    int SetValue(UINT nID, const char* pszValue);
    int QueryValue(const char* pszName, CString* pStr);
    int QueryValue(UINT nID, CString* pStr);
    int GetValue(const char* pszName, CString* pStr, const char* pszDefault);
    int GetValue(UINT nID, CString* pStr, const char* pszDefault);

    CString m_strPath;          // current key path, relative to the root key
    CString m_strValueName;     // name used by the last value operation
    DWORD m_dwDisposition = 0;  // REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY by the last open
    HKEY m_hRootKey;
    HKEY m_hKey = nullptr;
    DWORD m_dwReserved = 0;
    CString m_strRootPath;  // where CreateKey names are appended
    DWORD m_dwOptions = REG_OPTION_NON_VOLATILE;
    REGSAM m_samDesired = KEY_ALL_ACCESS;
    LPSECURITY_ATTRIBUTES m_pSecurityAttributes = nullptr;
    DWORD m_dwType = 0;       // registry type of the last value operation
    void* m_pData = nullptr;  // data of the last value write, as the caller passed it
    DWORD m_dwSize = 0;       // byte size of the last value operation
    int m_bOpen = 0;          // a key is open in m_hKey
    CString m_strBasePath;    // where the first AddFolder began; BackFolder stops there

private:
    int Open();
    int FailDelete();
    template <typename T>
    int WriteFixed(const char* pszName, DWORD dwType, T value);
    template <typename T>
    int ReadFixed(const char* pszName, DWORD dwType, T* pValue);
    template <typename Bits, typename T, typename ToBits, typename FromBits>
    int ReadThrough32(const char* pszName, DWORD dwType, T* pValue, ToBits toBits, FromBits fromBits);
    template <typename T, typename D>
    int ReadOrDefault(const char* pszName, T* pValue, const D& fallback);
};
