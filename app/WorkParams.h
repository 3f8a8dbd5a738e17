#pragma once
// The render job that the dialog (or the batch driver) hands to the worker, and the
// messages between them.

#include <zelmtools/framework/gdi/CDC.h>
#include <zelmtools/framework/strings/CString.h>
#include <zelmtools/platform/gdi/gdi.h>
#include <zelmtools/platform/user/window_messages.h>

// Posted to the worker's thread: run the job.
constexpr UINT WM_WORK_START = WM_APP + 1000;
// Sent to the notify window: wParam points to an int percentage (lParam 0), or
// wParam 0 and lParam 1 at the end of the job.
constexpr UINT WM_WORK_NOTIFY = WM_USER + 100;

// How the input's bytes are read as characters.
enum class TextEncoding { Auto, Utf8, Windows1251, Utf16LE, Utf16BE };

struct WorkParams {
    CString strInputFile;
    HWND hNotifyWnd = nullptr;
    LOGFONT logFont{};
    CDC* pScreenDC = nullptr;
    CString strOutputFolder;
    int nPageWidth = 128;
    int nPageHeight = 116;
    int nDelSize = 3;
    // Auto: a UTF-16 or UTF-8 byte-order mark decides; otherwise the whole file valid
    // UTF-8 is read as UTF-8, anything else as Windows-1251.
    TextEncoding encoding = TextEncoding::Auto;
};
