#include "framework/ui/MessageBox.h"

#include <cerrno>
#include <cstdio>
#include <mutex>
#include <string>

#include <zelmtools/framework/strings/CString.h>

namespace zelm::framework {

namespace {

// Made on first use: application objects are static too, and name themselves from
// their constructors before this file's statics would be initialised.
struct Settings {
    std::mutex lock;
    MessageBoxHandler handler;
    std::string title;  // empty: the running program's name
    MessageBoxHandler guiPresenter;
    ProgramNameSource guiProgramName;
};

Settings& TheSettings()
{
    static Settings settings;
    return settings;
}

// The name of the running program: as the GUI toolkit's application knows it, else
// its executable's.
std::string ProgramName()
{
    ProgramNameSource source;
    {
        Settings& settings = TheSettings();
        std::lock_guard guard(settings.lock);
        source = settings.guiProgramName;
    }
    std::string name = source ? source() : std::string();
    return name.empty() ? std::string(program_invocation_short_name) : name;
}

int DefaultHandler(const MessageBoxRequest& request)
{
    MessageBoxHandler gui;
    {
        Settings& settings = TheSettings();
        std::lock_guard guard(settings.lock);
        gui = settings.guiPresenter;
    }
    if (gui) {
        int answer = gui(request);
        if (answer != 0) return answer;
    }
    std::fprintf(stderr, "%s: %s\n", request.caption, request.text);
    return DefaultMessageBoxAnswer(request.type);
}

}  // namespace

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    Settings& settings = TheSettings();
    std::lock_guard guard(settings.lock);
    std::swap(settings.handler, handler);
    return handler;
}

void SetGuiMessageBoxPresenter(MessageBoxHandler presenter, ProgramNameSource programName)
{
    Settings& settings = TheSettings();
    std::lock_guard guard(settings.lock);
    settings.guiPresenter = std::move(presenter);
    settings.guiProgramName = std::move(programName);
}

int DefaultMessageBoxAnswer(UINT type)
{
    static const int kButtons[][3] = {{IDOK, IDOK, IDOK},          {IDOK, IDCANCEL, IDCANCEL},
                                      {IDABORT, IDRETRY, IDIGNORE}, {IDYES, IDNO, IDCANCEL},
                                      {IDYES, IDNO, IDNO},          {IDRETRY, IDCANCEL, IDCANCEL}};
    UINT kind = type & MB_TYPEMASK;
    if (kind > MB_RETRYCANCEL) kind = MB_OK;
    UINT defaultIndex = (type & MB_DEFMASK) >> 8;
    return kButtons[kind][defaultIndex > 2 ? 0 : defaultIndex];
}

void SetApplicationTitle(const char* title)
{
    Settings& settings = TheSettings();
    std::lock_guard guard(settings.lock);
    settings.title = title ? title : "";
}

std::string ApplicationTitle()
{
    Settings& settings = TheSettings();
    {
        std::lock_guard guard(settings.lock);
        if (!settings.title.empty()) return settings.title;
    }
    return ProgramName();
}

}  // namespace zelm::framework

int MessageBoxA(HWND, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    using namespace zelm::framework;
    MessageBoxHandler handler;
    {
        Settings& settings = TheSettings();
        std::lock_guard guard(settings.lock);
        handler = settings.handler;
    }
    const std::string caption = lpCaption ? std::string(lpCaption) : ApplicationTitle();
    MessageBoxRequest request{lpText ? lpText : "", caption.c_str(), uType};
    return handler ? handler(request) : DefaultHandler(request);
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT)
{
    return MessageBoxA(nullptr, lpszText, nullptr, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp);
}
