#pragma once
// The font dialog as a framework object. With an initial LOGFONT the dialog starts from
// it and, on OK, writes the chosen font straight back into it.

#include <zelmtools/platform/base/export.h>
#include "framework/commdlg/FontDialogs.h"
#include <zelmtools/framework/core/CObject.h>
#include <zelmtools/framework/strings/CString.h>

class CDC;
class CWnd;

class ZELM_API CFontDialog : public CObject {
    DECLARE_DYNAMIC(CFontDialog)

public:
    explicit CFontDialog(LPLOGFONT lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* pdcPrinter = nullptr, CWnd* pParentWnd = nullptr);
    CFontDialog(const CFontDialog&) = delete;
    CFontDialog& operator=(const CFontDialog&) = delete;

    // IDOK when a font was chosen, IDCANCEL on cancel or failure. Without a parent the
    // application's active window owns the dialog.
    virtual int DoModal();

    // The chosen font (after IDOK; the initial one before).
    void GetCurrentFont(LPLOGFONT lplf) const;
    CString GetFaceName() const;
    int GetSize() const { return m_cf.iPointSize; }  // tenths of a point
    COLORREF GetColor() const { return m_cf.rgbColors; }
    BOOL IsUnderline() const { return m_cf.lpLogFont->lfUnderline ? TRUE : FALSE; }
    BOOL IsStrikeOut() const { return m_cf.lpLogFont->lfStrikeOut ? TRUE : FALSE; }
    BOOL IsItalic() const { return m_cf.lpLogFont->lfItalic ? TRUE : FALSE; }
    int GetWeight() const { return m_cf.lpLogFont->lfWeight; }

    CHOOSEFONTA m_cf;
    LOGFONTA m_lf;  // the font description when no initial one was given

protected:
    CWnd* m_pParentWnd;
};
