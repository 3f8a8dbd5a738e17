#pragma once
// Messages between windows and threads: sent messages wait for their answer (across
// threads too), posted messages are queued for the receiving thread.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>
#include <zelmtools/platform/user/window_messages.h>

constexpr DWORD ERROR_INVALID_THREAD_ID = 1444;

// Sent to a window of the calling thread, the handler runs at once; sent to another
// thread's window, the caller waits until that thread has handled it, answering
// messages sent to its own windows meanwhile. 0 when the window does not exist or is
// destroyed before it handles the message.
ZELM_API LRESULT SendMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
ZELM_API BOOL PostMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
ZELM_API BOOL PostThreadMessage(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam);
// Ends the calling thread's message loop with the exit code.
ZELM_API void PostQuitMessage(int nExitCode);
ZELM_API BOOL IsWindow(HWND hWnd);

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;
constexpr UINT PM_NOYIELD = 0x0002;
// Looks at the calling thread's posted messages: the first for hWnd (null: any window
// or thread message; (HWND)-1: thread messages only) whose number lies in
// [wMsgFilterMin, wMsgFilterMax] (both 0: any). With PM_REMOVE it is taken out of the
// queue and never delivered. FALSE when there is none. Window timers tick straight
// into the window and never wait in the queue.
ZELM_API BOOL PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
#define PeekMessage PeekMessageA
// A window made by CWnd::CreateEx with that class and name (null matches any).
ZELM_API HWND FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName);
#define FindWindow FindWindowA
ZELM_API DWORD GetCurrentThreadId();
