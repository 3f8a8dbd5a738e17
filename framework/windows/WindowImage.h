#pragma once
// A picture of a window as it is drawn now, saved as a PNG file.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/framework/windows/CWnd.h>

namespace zelm::framework {

ZELM_API bool SaveWindowImage(CWnd& window, const char* pngPath);

}  // namespace zelm::framework
