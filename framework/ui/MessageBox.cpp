#include "framework/ui/MessageBox.h"

#include <cstdio>
#include <mutex>
#include <string>

#include <zelmtools/framework/strings/CString.h>

namespace zelm::framework {

namespace {

std::mutex g_lock;
MessageBoxHandler g_handler;
std::string g_title = "Scrivane";

MessageBoxHandler g_guiPresenter;

int DefaultHandler(const MessageBoxRequest& request)
{
    MessageBoxHandler gui;
    {
        std::lock_guard guard(g_lock);
        gui = g_guiPresenter;
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
    std::lock_guard guard(g_lock);
    std::swap(g_handler, handler);
    return handler;
}

void SetGuiMessageBoxPresenter(MessageBoxHandler presenter)
{
    std::lock_guard guard(g_lock);
    g_guiPresenter = std::move(presenter);
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
    std::lock_guard guard(g_lock);
    g_title = title ? title : "";
}

const char* ApplicationTitle()
{
    std::lock_guard guard(g_lock);
    return g_title.c_str();
}

}  // namespace zelm::framework

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT)
{
    using namespace zelm::framework;
    MessageBoxHandler handler;
    std::string caption;
    {
        std::lock_guard guard(g_lock);
        handler = g_handler;
        caption = g_title;
    }
    MessageBoxRequest request{lpszText ? lpszText : "", caption.c_str(), nType};
    return handler ? handler(request) : DefaultHandler(request);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp);
}
