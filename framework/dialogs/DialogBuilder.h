#pragma once
// Builds a dialog's widgets from its template: the controls in their places, their
// sizes turned from dialog units into pixels by the dialog font's character size.

#include <QFont>
#include <functional>
#include <memory>
#include <vector>

#include "framework/dialogs/DialogTemplate.h"
#include "framework/dialogs/DialogWidgets.h"
#include <zelmtools/framework/windows/CWnd.h>

namespace zelm::framework {

// One control of a built dialog: its widget and the window behind its handle.
struct DialogControl {
    int id = -1;
    QWidget* widget = nullptr;
    std::unique_ptr<CWnd> window;
};

struct BuiltDialog {
    DialogHost* host = nullptr;
    std::vector<DialogControl> controls;
};

// Pixels per 4 horizontal and 8 vertical dialog units.
struct DialogBaseUnits {
    int cx = 0;
    int cy = 0;
    QFont font;
};
DialogBaseUnits BaseUnitsFor(const DialogTemplate& dialog);

using CommandSink = std::function<void(int id, UINT code, HWND control)>;

// The host and its controls; commands from buttons go to the sink.
struct DialogCallbacks {
    CommandSink commands;
    std::function<void()> cancel;
    std::function<void()> paint;
};
BuiltDialog BuildDialog(const DialogTemplate& dialog, QWidget* parent, const DialogCallbacks& callbacks);

}  // namespace zelm::framework
