#include <cmath>

#include "framework/commdlg/FontChooserDialog.h"
#include "framework/commdlg/FontDialogs.h"
#include "framework/commdlg/LogFontConversion.h"
#include "framework/windows/WindowWidgets.h"

namespace zelm::framework {

namespace {

bool ValidRequest(const CHOOSEFONTA* cf)
{
    if (cf == nullptr || cf->lStructSize != sizeof(CHOOSEFONTA)) {
        SetCommonDialogError(CDERR_STRUCTSIZE);
        return false;
    }
    if (cf->lpLogFont == nullptr) {
        SetCommonDialogError(CDERR_INITIALIZATION);
        return false;
    }
    return CanShowCommonDialog();
}

WORD FontType(const QFont& font)
{
    WORD type = SCREEN_FONTTYPE;
    type |= font.weight() >= QFont::DemiBold ? BOLD_FONTTYPE : REGULAR_FONTTYPE;
    if (font.style() != QFont::StyleNormal) type |= ITALIC_FONTTYPE;
    return type;
}

}  // namespace

BOOL RunFontDialog(CHOOSEFONTA* cf, QWidget* owner)
{
    if (!ValidRequest(cf)) return FALSE;
    bool effects = cf->Flags & CF_EFFECTS;
    FontChooserDialog dialog(owner, effects, cf->Flags & CF_FORCEFONTEXIST, cf->rgbColors);
    if (cf->Flags & CF_INITTOLOGFONTSTRUCT) dialog.StartWith(FontFromLogFont(*cf->lpLogFont));
    if (dialog.exec() != QDialog::Accepted) return FALSE;

    QFont font = dialog.currentFont();
    // Confirmed without a change: the caller's font comes back exactly as it went in,
    // also where points, weights or names cannot say it the way the LOGFONT does.
    if (!(cf->Flags & CF_INITTOLOGFONTSTRUCT) || !dialog.Unchanged())
        StoreLogFont(font, dialog.ChosenFace(), *cf->lpLogFont);
    cf->iPointSize = static_cast<INT>(std::lround(font.pointSizeF() * 10));
    cf->nFontType = FontType(font);
    if (effects) cf->rgbColors = dialog.ChosenColor();
    return TRUE;
}

}  // namespace zelm::framework

BOOL ChooseFontA(LPCHOOSEFONTA lpcf)
{
    using namespace zelm::framework;
    return RunFontDialog(lpcf, lpcf ? WidgetForWindow(lpcf->hwndOwner) : nullptr);
}
