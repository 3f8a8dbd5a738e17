#pragma once
// A picture of a window as it is drawn now, saved as a PNG file.

#include <zelmtools/platform/base/export.h>
#include <functional>

#include <zelmtools/framework/windows/CWnd.h>

namespace zelm::framework {

ZELM_API bool SaveWindowImage(CWnd& window, const char* pngPath);

// For a picture of a modal dialog that a call opens and runs itself: once the next modal
// dialog has been shown for settleMs (for its contents to fill in), saves its picture
// and closes it as Cancel would; `done` then learns whether the file was written.
ZELM_API void SaveNextModalDialogImage(const char* pngPath, int settleMs, std::function<void(bool saved)> done);

}  // namespace zelm::framework
