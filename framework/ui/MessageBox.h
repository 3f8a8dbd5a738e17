#pragma once
// The application message box: every message to the user goes through this one
// entry point, which tests can replace to read the text and choose the answer.

#include <zelmtools/platform/base/export.h>
#include <functional>
#include <string>

#include <zelmtools/platform/base/win_types.h>

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_RETRYCANCEL = 0x5;
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_DEFBUTTON2 = 0x100;
constexpr UINT MB_DEFBUTTON3 = 0x200;
constexpr UINT MB_TYPEMASK = 0xF;
constexpr UINT MB_ICONMASK = 0xF0;
constexpr UINT MB_DEFMASK = 0xF00;
constexpr UINT MB_TASKMODAL = 0x2000;
constexpr UINT MB_TOPMOST = 0x40000;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Shows the text with the application's title as caption (ApplicationTitle) and
// returns the button pressed. nIDHelp is accepted for the framework's signature and
// not used.
ZELM_API int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
ZELM_API int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = UINT(-1));
// The same entry point with the caller's own caption (null: the application's title).
// The owner window is not used: boxes are shown over the active window.
ZELM_API int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);
#define MessageBox MessageBoxA

namespace zelm::framework {

struct MessageBoxRequest {
    const char* text;
    const char* caption;
    UINT type;
};
using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;

// Replaces the entry point (tests); returns the previous handler. An empty handler
// restores the default one.
ZELM_API MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// The framework's GUI library presents message boxes through this when it is loaded;
// a presenter returns 0 when it cannot ask anybody (no GUI application runs). The name
// source gives the program's name as the toolkit's application knows it (its display
// name), or an empty text before that application exists.
using ProgramNameSource = std::function<std::string()>;
ZELM_API void SetGuiMessageBoxPresenter(MessageBoxHandler presenter, ProgramNameSource programName);

// The button chosen when nobody can be asked: the default button of the type.
ZELM_API int DefaultMessageBoxAnswer(UINT type);

// The caption of the application's message boxes: the title the application object
// set (CWinApp's name), else the running program's name as the toolkit application
// knows it (its display name), else the executable's name. A null or empty title
// returns to the program's name.
ZELM_API void SetApplicationTitle(const char* title);
ZELM_API std::string ApplicationTitle();

}  // namespace zelm::framework
