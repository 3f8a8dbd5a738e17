#pragma once
// A framework object that receives messages through its message map.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/framework/core/CObject.h>
#include <zelmtools/framework/core/MessageMap.h>

class ZELM_API CCmdTarget : public CObject {
public:
    // Calls the handler that the map chain lists for the message; false when none does.
    bool DispatchMapMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

protected:
    static const zelm::framework::MessageMap* GetThisMessageMap();
    virtual const zelm::framework::MessageMap* GetMessageMap() const;
};
