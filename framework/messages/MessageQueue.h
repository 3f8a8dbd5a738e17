#pragma once
// The machinery behind the message calls: one delivery object per window and per
// thread with a message loop, living in the thread that owns it. Internal to the framework.

#include <functional>

#include <zelmtools/platform/base/win_types.h>
#include <zelmtools/platform/user/window_messages.h>

class CWnd;
class QThread;

namespace zelm::framework {

// Windows: a handle for the window object, owned by the calling thread.
HWND RegisterWindow(CWnd* window);
// Removes the handle; messages sent to it and not yet handled return 0 to their senders.
void UnregisterWindow(HWND hWnd);
CWnd* WindowFromHandle(HWND hWnd);
// Subclassing: the handle's messages go to `replacement` from now on, if they went to
// `expected` and the window belongs to the calling thread.
bool SwapWindowObject(HWND hWnd, CWnd* expected, CWnd* replacement);
// Window timers: WM_TIMER with the identifier every period, on the window's thread.
// Called on that thread; setting an existing identifier again restarts it.
bool SetWindowTimer(HWND hWnd, UINT_PTR id, UINT milliseconds);
bool KillWindowTimer(HWND hWnd, UINT_PTR id);

// The class and window name of a window made by CreateEx, which FindWindowA looks for.
void SetWindowIdentity(HWND hWnd, const char* className, const char* windowName);
HWND FindWindowByIdentity(const char* className, const char* windowName);
// The first posted message of the calling thread's queue for hWnd (null: any;
// (HWND)-1: thread messages) with a number in [first, last] (0, 0: any); taken out of
// the queue when remove is set.
bool TakePostedMessage(MSG& out, HWND hWnd, UINT first, UINT last, bool remove);

// Threads: a queue for the thread, created before it runs so that messages posted to
// a suspended thread wait there. Posted thread messages go to the handler.
using ThreadMessageHandler = std::function<void(MSG&)>;
void RegisterThreadQueue(DWORD threadId, QThread* home, ThreadMessageHandler handler);
// Called by the thread itself when it ends; later posts to it fail.
void UnregisterThreadQueue(DWORD threadId);
// Runs the calling thread's message loop until PostQuitMessage; returns its exit code.
int RunMessageLoop();
// A thread identifier for a thread that has not started yet.
DWORD AllocateThreadId();
// Makes the calling thread use an identifier allocated earlier.
void AdoptThreadId(DWORD threadId);

}  // namespace zelm::framework
