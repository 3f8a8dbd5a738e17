#pragma once
// The font dialog. It is Qt's own font dialog (objectName "zelmFontDialog") whose face
// name can also be typed ("zelmFaceEdit"), with a colour list ("zelmColorBox") among
// the effects. Call it on the GUI thread.

#include <zelmtools/platform/base/export.h>
#include "framework/commdlg/CommonDialogErrors.h"
#include <zelmtools/platform/gdi/gdi.h>

using LPCFHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

struct CHOOSEFONTA {
    DWORD lStructSize;
    HWND hwndOwner;
    HDC hDC;               // printer fonts are not offered; ignored
    LPLOGFONTA lpLogFont;  // in with CF_INITTOLOGFONTSTRUCT; out on OK, untouched on cancel
    INT iPointSize;        // out: tenths of a point
    DWORD Flags;
    COLORREF rgbColors;  // in and out with CF_EFFECTS
    LPARAM lCustData;
    LPCFHOOKPROC lpfnHook;  // not called: the dialog cannot be hooked
    LPCSTR lpTemplateName;
    HINSTANCE hInstance;
    LPSTR lpszStyle;
    WORD nFontType;  // out: *_FONTTYPE bits
    WORD ___MISSING_ALIGNMENT__;
    INT nSizeMin;
    INT nSizeMax;
};
using CHOOSEFONT = CHOOSEFONTA;
using LPCHOOSEFONTA = CHOOSEFONTA*;

constexpr DWORD CF_SCREENFONTS = 0x00000001;
constexpr DWORD CF_PRINTERFONTS = 0x00000002;
constexpr DWORD CF_BOTH = CF_SCREENFONTS | CF_PRINTERFONTS;
constexpr DWORD CF_SHOWHELP = 0x00000004;
constexpr DWORD CF_ENABLEHOOK = 0x00000008;
constexpr DWORD CF_INITTOLOGFONTSTRUCT = 0x00000040;
constexpr DWORD CF_USESTYLE = 0x00000080;
constexpr DWORD CF_EFFECTS = 0x00000100;
constexpr DWORD CF_APPLY = 0x00000200;
constexpr DWORD CF_ANSIONLY = 0x00000400;
constexpr DWORD CF_NOVECTORFONTS = 0x00000800;
constexpr DWORD CF_NOSIMULATIONS = 0x00001000;
constexpr DWORD CF_LIMITSIZE = 0x00002000;
constexpr DWORD CF_FIXEDPITCHONLY = 0x00004000;
constexpr DWORD CF_WYSIWYG = 0x00008000;
constexpr DWORD CF_FORCEFONTEXIST = 0x00010000;
constexpr DWORD CF_SCALABLEONLY = 0x00020000;
constexpr DWORD CF_TTONLY = 0x00040000;
constexpr DWORD CF_NOFACESEL = 0x00080000;
constexpr DWORD CF_NOSTYLESEL = 0x00100000;
constexpr DWORD CF_NOSIZESEL = 0x00200000;

constexpr WORD BOLD_FONTTYPE = 0x0100;
constexpr WORD ITALIC_FONTTYPE = 0x0200;
constexpr WORD REGULAR_FONTTYPE = 0x0400;
constexpr WORD SCREEN_FONTTYPE = 0x2000;

// The text shown when CF_FORCEFONTEXIST refuses a face name.
inline constexpr const char* kNoSuchFontText =
    "There is no font with that name.\nChoose a font from the list of fonts.";

// TRUE when the user confirmed a font, written into *lpLogFont (height as a negative
// character height in pixels, DEFAULT_CHARSET; other fields as chosen); a font that
// started from *lpLogFont and was confirmed without a change is left exactly as it
// was. FALSE on cancel (CommDlgExtendedError 0) or failure, with *lpLogFont unchanged.
ZELM_API BOOL ChooseFontA(LPCHOOSEFONTA lpcf);
#define ChooseFont ChooseFontA

class QWidget;

namespace zelm::framework {

// The dialog owned by the given widget (or none), for the framework's dialog classes.
BOOL RunFontDialog(CHOOSEFONTA* cf, QWidget* owner);

}  // namespace zelm::framework
