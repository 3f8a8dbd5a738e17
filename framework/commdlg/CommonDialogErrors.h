#pragma once
// Why the last common dialog of the calling thread failed.

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

constexpr DWORD CDERR_STRUCTSIZE = 0x0001;
constexpr DWORD CDERR_INITIALIZATION = 0x0002;
constexpr DWORD CFERR_NOFONTS = 0x2001;
constexpr DWORD FNERR_INVALIDFILENAME = 0x3002;
constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;

// 0 after a dialog that succeeded or that the user cancelled.
ZELM_API DWORD CommDlgExtendedError();

namespace zelm::framework {

void SetCommonDialogError(DWORD code);
// Whether a modal dialog can be shown from the calling thread (a GUI application's
// main thread); records CDERR_INITIALIZATION when not.
bool CanShowCommonDialog();

}  // namespace zelm::framework
