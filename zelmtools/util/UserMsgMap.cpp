#include <zelmtools/util/UserMsgMap.h>

#include <cstring>

#include "platform/base/utf8.h"
#include <zelmtools/platform/user/window_messages.h>

static_assert(CUserMsgMap::kFirstMsg == WM_USER + 100 && CUserMsgMap::kLastMsg == WM_APP - 1);

CUserMsgInfo::CUserMsgInfo() : m_szName{}, m_dwMsg(0) {}

CUserMsgInfo::CUserMsgInfo(const char* pszName, DWORD dwMsg) : m_dwMsg(dwMsg)
{
    std::size_t length = zelm::platform::Utf8PrefixLength(pszName, std::strlen(pszName), kMaxNameBytes);
    std::memcpy(m_szName, pszName, length);
    m_szName[length] = '\0';
}

bool CUserMsgInfo::operator==(const CUserMsgInfo& other) const
{
    return std::strcmp(m_szName, other.m_szName) == 0;
}

CUserMsgMap::CUserMsgMap() : CSafeList(10), m_dwNextMsg(kFirstMsg) {}

DWORD CUserMsgMap::Register(const char* pszName)
{
    CUserMsgInfo info(pszName, 0);
    if (POSITION found = Find(info)) return GetAt(found).m_dwMsg;
    // Numbers past the private range would collide with the application's own messages.
    if (m_dwNextMsg > kLastMsg) return 0;
    info.m_dwMsg = m_dwNextMsg++;
    AddTail(info);
    return info.m_dwMsg;
}
