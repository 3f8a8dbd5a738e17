#pragma once
// A window without pixels that records the commands it gets.

#include <vector>

#include <zelmtools/framework/windows/CWnd.h>

class CCommandWindow : public CWnd {
public:
    CCommandWindow() { CreateMessageOnlyWindow(); }
    std::vector<UINT> commands;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND) commands.push_back(LOWORD(wParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
};
