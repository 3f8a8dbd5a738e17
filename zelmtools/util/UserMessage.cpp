#include <zelmtools/util/UserMessage.h>

#include <zelmtools/util/UserMsgMap.h>

int RegisterUserMessage(const char* pszName)
{
    if (pszName == nullptr) return 0;
    static CUserMsgMap map;  // made on the first call, freed when the library unloads
    return static_cast<int>(map.Register(pszName));
}
