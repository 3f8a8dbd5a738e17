#pragma once
// Message maps: each class lists the messages it handles and the member that handles
// each; a message that a class does not list goes to its base class's map.
//
//   BEGIN_MESSAGE_MAP(CMyWnd, CWnd)
//       ON_MESSAGE(WM_MY_NOTIFY, OnMyNotify)
//   END_MESSAGE_MAP()

#include <zelmtools/platform/base/win_types.h>
#include <zelmtools/platform/user/window_messages.h>

class CCmdTarget;

namespace zelm::framework {

using MessageThunk = LRESULT (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);

struct MessageMapEntry {
    UINT message;             // 0 ends the map
    UINT notifyCode;          // for WM_COMMAND: the control's notification
    UINT firstId;             // for WM_COMMAND: the control or command range
    UINT lastId;
    const UINT* registered;   // a message number known only at run time, or null
    MessageThunk handler;
};

struct MessageMap {
    const MessageMap* (*base)();
    const MessageMapEntry* entries;
};

// The entry of the map chain that handles the message, or null.
const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message, WPARAM wParam);
// The same for any message: a WM_NOTIFY entry also matches the code in its record.
const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace zelm::framework

#define DECLARE_MESSAGE_MAP()                                                 \
protected:                                                                    \
    static const zelm::framework::MessageMap* GetThisMessageMap();            \
    const zelm::framework::MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                 \
    const zelm::framework::MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); }         \
    const zelm::framework::MessageMap* theClass::GetThisMessageMap()                                           \
    {                                                                                                          \
        using ThisClass [[maybe_unused]] = theClass;                                                                          \
        using TheBaseClass = baseClass;                                                                        \
        static const zelm::framework::MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                                           \
    {0, 0, 0, 0, nullptr, nullptr}};                                                                \
    static const zelm::framework::MessageMap map{&TheBaseClass::GetThisMessageMap, &entries[0]};    \
    return &map;                                                                                    \
    }

// LRESULT OnMessage(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn)                                                                      \
    {message, 0, 0, 0, nullptr, [](CCmdTarget* t, WPARAM w, LPARAM l) -> LRESULT {                          \
         return static_cast<ThisClass*>(t)->memberFxn(w, l);                                                \
     }},

// LRESULT OnMessage(WPARAM, LPARAM) for a message number held in a variable
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                                  \
    {0xC000, 0, 0, 0, &nMessageVariable, [](CCmdTarget* t, WPARAM w, LPARAM l) -> LRESULT {                 \
         return static_cast<ThisClass*>(t)->memberFxn(w, l);                                                \
     }},

// void OnThreadMessage(WPARAM, LPARAM)
#define ON_THREAD_MESSAGE(message, memberFxn)                                                               \
    {message, 0, 0, 0, nullptr, [](CCmdTarget* t, WPARAM w, LPARAM l) -> LRESULT {                          \
         static_cast<ThisClass*>(t)->memberFxn(w, l);                                                       \
         return 0;                                                                                          \
     }},

// void OnCommand() for a control's notification or a menu command
#define ON_CONTROL(notifyCode, id, memberFxn)                                                               \
    {WM_COMMAND, static_cast<UINT>(notifyCode), static_cast<UINT>(id), static_cast<UINT>(id), nullptr,      \
     [](CCmdTarget* t, WPARAM, LPARAM) -> LRESULT {                                                         \
         static_cast<ThisClass*>(t)->memberFxn();                                                           \
         return 0;                                                                                          \
     }},
#define ON_COMMAND(id, memberFxn) ON_CONTROL(0, id, memberFxn)

// void OnTimer(UINT_PTR nIDEvent)
#define ON_WM_TIMER()                                                                                       \
    {WM_TIMER, 0, 0, 0, nullptr, [](CCmdTarget* t, WPARAM w, LPARAM) -> LRESULT {                           \
         static_cast<ThisClass*>(t)->OnTimer(static_cast<UINT_PTR>(w));                                     \
         return 0;                                                                                          \
     }},

// void OnPaint()
#define ON_WM_PAINT()                                                                                       \
    {WM_PAINT, 0, 0, 0, nullptr, [](CCmdTarget* t, WPARAM, LPARAM) -> LRESULT {                             \
         static_cast<ThisClass*>(t)->OnPaint();                                                             \
         return 0;                                                                                          \
     }},

// HCURSOR OnQueryDragIcon()
#define ON_WM_QUERYDRAGICON()                                                                               \
    {WM_QUERYDRAGICON, 0, 0, 0, nullptr, [](CCmdTarget* t, WPARAM, LPARAM) -> LRESULT {                     \
         return reinterpret_cast<LRESULT>(static_cast<ThisClass*>(t)->OnQueryDragIcon());                   \
     }},

// void OnNotify(NMHDR* pNMHDR, LRESULT* pResult) for a control's WM_NOTIFY with that code
#define ON_NOTIFY(notifyCode, id, memberFxn)                                                                \
    {WM_NOTIFY, static_cast<UINT>(notifyCode), static_cast<UINT>(id), static_cast<UINT>(id), nullptr,       \
     [](CCmdTarget* t, WPARAM, LPARAM l) -> LRESULT {                                                       \
         LRESULT result = 0;                                                                                \
         static_cast<ThisClass*>(t)->memberFxn(reinterpret_cast<NMHDR*>(l), &result);                       \
         return result;                                                                                     \
     }},

// void OnClicked() for a button
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
