#pragma once
// The names of registered user messages and their numbers, handed out in the private
// window-message range in the order the names first come.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>
#include <zelmtools/util/SafeList.h>

class ZELM_API CUserMsgInfo {
public:
    static constexpr int kMaxNameBytes = 255;

    CUserMsgInfo();
    // The name is kept to 255 bytes, cut on a character boundary.
    CUserMsgInfo(const char* pszName, DWORD dwMsg);

    // Records are the same when their names are, exactly and with case.
    bool operator==(const CUserMsgInfo& other) const;

    char m_szName[kMaxNameBytes + 1];
    DWORD m_dwMsg;
};

class ZELM_API CUserMsgMap : public CSafeList<CUserMsgInfo, const CUserMsgInfo&> {
public:
    static constexpr DWORD kFirstMsg = 0x400 + 100;  // WM_USER + 100
    static constexpr DWORD kLastMsg = 0x7FFF;        // the end of the private range

    CUserMsgMap();

    // The number of the name, given the next free one when the name is new; 0 once the
    // private range is used up.
    DWORD Register(const char* pszName);

    DWORD m_dwNextMsg;
};
