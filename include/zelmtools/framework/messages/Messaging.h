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
ZELM_API DWORD GetCurrentThreadId();
