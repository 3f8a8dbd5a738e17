#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QLineEdit>
#include <cstring>
#include <string>
#include <vector>

#include "framework/commdlg/CFontDialog.h"
#include "framework/ui/MessageBox.h"
#include "platform/base/utf8.h"
#include "support/message_capture.h"
#include "support/modal_dialog.h"

namespace {

const QString kFontDialog = "zelmFontDialog";

LOGFONTA MakeLogFont(const char* face, LONG height, LONG weight = FW_NORMAL)
{
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

QLineEdit* FaceEdit(QFontDialog* dialog)
{
    return dialog->findChild<QLineEdit*>("zelmFaceEdit");
}

void TypeFace(QFontDialog* dialog, const char* face)
{
    FaceEdit(dialog)->selectAll();
    FaceEdit(dialog)->insert(QString::fromUtf8(face));
}

QCheckBox* EffectBox(QFontDialog* dialog, const char* textPart)
{
    for (auto* box : dialog->findChildren<QCheckBox*>())
        if (box->text().remove('&').contains(textPart)) return box;
    return nullptr;
}

class ChooseFontTest : public ::testing::Test {
protected:

    MessageCapture capture{IDOK};
    std::vector<std::string>& messages = capture.texts;
    const DWORD kScrivaneFlags = CF_SCREENFONTS | CF_EFFECTS | CF_FORCEFONTEXIST | CF_INITTOLOGFONTSTRUCT;
};

TEST_F(ChooseFontTest, StartsFromTheLogFontAndWritesTheSameFontBackOnOk)
{
    LOGFONTA lf = MakeLogFont("DejaVu Serif", -16, FW_BOLD);
    lf.lfItalic = 1;
    lf.lfUnderline = 1;
    QFont shown;
    QString faceText;
    WhenModalShown<QFontDialog>(kFontDialog, [&](QFontDialog* dialog) {
        shown = dialog->currentFont();
        faceText = FaceEdit(dialog)->text();
        Accept(dialog);
    });
    CFontDialog dlg(&lf, kScrivaneFlags);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(shown.family(), "DejaVu Serif");
    EXPECT_EQ(faceText, "DejaVu Serif");
    EXPECT_DOUBLE_EQ(shown.pointSizeF(), 12.0);  // 16 pixels at 96 per inch
    EXPECT_EQ(shown.weight(), QFont::Bold);
    EXPECT_TRUE(shown.italic());
    EXPECT_TRUE(shown.underline());

    EXPECT_STREQ(lf.lfFaceName, "DejaVu Serif");
    EXPECT_EQ(lf.lfHeight, -16);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_EQ(lf.lfUnderline, 1);
    EXPECT_EQ(lf.lfStrikeOut, 0);
    EXPECT_EQ(lf.lfCharSet, 0) << "confirmed without a change: the LOGFONT comes back as it went in";
    EXPECT_EQ(lf.lfQuality, NONANTIALIASED_QUALITY);  // the dialog offers no quality
    EXPECT_EQ(dlg.GetSize(), 120);
    EXPECT_EQ(dlg.m_cf.nFontType & (BOLD_FONTTYPE | ITALIC_FONTTYPE), BOLD_FONTTYPE | ITALIC_FONTTYPE);
    LOGFONTA copy{};
    dlg.GetCurrentFont(&copy);
    EXPECT_EQ(std::memcmp(&copy, &lf, sizeof lf), 0);
}

TEST_F(ChooseFontTest, PositiveHeightIsTheCellAndTheCharacterHeightIsShown)
{
    LOGFONTA lf = MakeLogFont("DejaVu Sans", 30);
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontIndirectA(&lf);
    SelectObject(dc, font);
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(dc, &tm));
    DeleteDC(dc);
    DeleteObject(font);
    const double characterPoints = (tm.tmHeight - tm.tmInternalLeading) * 72.0 / 96.0;
    ASSERT_LT(tm.tmHeight - tm.tmInternalLeading, 30);

    double shownPoints = 0;
    WhenModalShown<QFontDialog>(kFontDialog, [&](QFontDialog* dialog) {
        shownPoints = dialog->currentFont().pointSizeF();
        Accept(dialog);
    });
    CFontDialog dlg(&lf, kScrivaneFlags);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_NEAR(shownPoints, characterPoints, 0.5);
    EXPECT_EQ(lf.lfHeight, 30) << "unchanged: the cell height stays";

    // A size chosen in the dialog comes back as a character height.
    WhenModalShown<QFontDialog>(kFontDialog, [&](QFontDialog* dialog) {
        QFont bigger = dialog->currentFont();
        bigger.setPointSize(24);
        dialog->setCurrentFont(bigger);
        Accept(dialog);
    });
    CFontDialog resized(&lf, kScrivaneFlags);
    ASSERT_EQ(resized.DoModal(), IDOK);
    EXPECT_EQ(lf.lfHeight, -32);
    EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
}

TEST_F(ChooseFontTest, ChosenFaceEffectsAndColourAreReturned)
{
    LOGFONTA lf = MakeLogFont("DejaVu Sans", -13);
    bool colorBoxShown = false;
    WhenModalShown<QFontDialog>(kFontDialog, [&](QFontDialog* dialog) {
        auto* colors = dialog->findChild<QComboBox*>("zelmColorBox");
        colorBoxShown = colors && colors->isVisible() && colors->count() == 16;
        colors->setCurrentIndex(colors->findText("Red"));
        TypeFace(dialog, "dejavu sans mono");
        EffectBox(dialog, "Strikeout")->click();
        Accept(dialog);
    });
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.lpLogFont = &lf;
    cf.Flags = kScrivaneFlags;
    ASSERT_TRUE(ChooseFontA(&cf));
    EXPECT_TRUE(colorBoxShown);
    EXPECT_EQ(cf.rgbColors, RGB(255, 0, 0));
    EXPECT_STREQ(lf.lfFaceName, "DejaVu Sans Mono");
    EXPECT_EQ(lf.lfStrikeOut, 1);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ChooseFontTest, CancelLeavesTheLogFontAlone)
{
    LOGFONTA lf = MakeLogFont("DejaVu Sans", -20, FW_BOLD);
    const LOGFONTA before = lf;
    WhenModalShown<QFontDialog>(kFontDialog, [](QFontDialog* dialog) {
        TypeFace(dialog, "DejaVu Serif");
        dialog->reject();
    });
    CFontDialog dlg(&lf, kScrivaneFlags);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_EQ(std::memcmp(&lf, &before, sizeof lf), 0);
}

TEST_F(ChooseFontTest, MissingFaceIsRefusedAndTheDialogStaysUntilAnExistingOne)
{
    LOGFONTA lf = MakeLogFont("MS Sans Serif", -11);
    QString startFace;
    bool openAfterRefusal = false;
    WhenModalShown<QFontDialog>(kFontDialog, [&](QFontDialog* dialog) {
        startFace = FaceEdit(dialog)->text();
        Accept(dialog);
        openAfterRefusal = dialog->isVisible();
        TypeFace(dialog, "DejaVu Sans");
        Accept(dialog);
    });
    CFontDialog dlg(&lf, kScrivaneFlags);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(startFace, "MS Sans Serif");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], kNoSuchFontText);
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_STREQ(lf.lfFaceName, "DejaVu Sans");
}

TEST_F(ChooseFontTest, WithoutTheExistenceRuleATypedFaceIsKeptAndCutOnACharacter)
{
    LOGFONTA lf = MakeLogFont("DejaVu Sans", -12);
    const char* longFace = "Шрифт с очень длинным именем";  // 2 bytes a letter, over 31 bytes
    WhenModalShown<QFontDialog>(kFontDialog, [&](QFontDialog* dialog) {
        TypeFace(dialog, longFace);
        Accept(dialog);
    });
    CFontDialog dlg(&lf, CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(messages.empty());
    std::string face = lf.lfFaceName;
    EXPECT_LE(face.size(), 31u);
    EXPECT_GE(face.size(), 30u);
    EXPECT_TRUE(zelm::platform::IsValidUtf8(face));
    EXPECT_EQ(std::string(longFace).rfind(face, 0), 0u);
}

TEST_F(ChooseFontTest, GenericFamilyStandsForTheFaceItResolvesTo)
{
    LOGFONTA lf = MakeLogFont("DejaVu Sans", -12);
    WhenModalShown<QFontDialog>(kFontDialog, [&](QFontDialog* dialog) {
        TypeFace(dialog, "Sans Serif");
        Accept(dialog);
    });
    CFontDialog dlg(&lf, kScrivaneFlags);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(zelm::platform::FontFamilyExists(lf.lfFaceName)) << lf.lfFaceName;
}

TEST_F(ChooseFontTest, EffectsOnlyWhenAskedForAndBadRequestsFail)
{
    LOGFONTA lf = MakeLogFont("DejaVu Sans", -12);
    bool effectsShown = true;
    WhenModalShown<QFontDialog>(kFontDialog, [&](QFontDialog* dialog) {
        effectsShown =
            dialog->findChild<QComboBox*>("zelmColorBox") != nullptr || EffectBox(dialog, "Underline")->isVisible();
        dialog->reject();
    });
    CFontDialog plain(&lf, CF_SCREENFONTS);
    EXPECT_EQ(plain.DoModal(), IDCANCEL);
    EXPECT_FALSE(effectsShown);

    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    EXPECT_FALSE(ChooseFontA(&cf));  // nowhere to write the font
    EXPECT_EQ(CommDlgExtendedError(), CDERR_INITIALIZATION);
    cf.lStructSize = 12;
    cf.lpLogFont = &lf;
    EXPECT_FALSE(ChooseFontA(&cf));
    EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);
}

}  // namespace
