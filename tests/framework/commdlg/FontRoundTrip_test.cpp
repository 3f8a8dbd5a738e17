// The font dialog keeps a font exactly: it opens on the style the LOGFONT asks for,
// a plain OK gives the same LOGFONT back, and another family keeps weight and slant.
#include <gtest/gtest.h>

#include <QFontDialog>
#include <QLineEdit>
#include <QListView>
#include <cstring>
#include <string>
#include <vector>

#include "TwoFoundryFont.h"
#include "framework/commdlg/CFontDialog.h"
#include "framework/ui/MessageBox.h"
#include "support/message_capture.h"
#include "support/modal_dialog.h"

namespace {

const QString kFontDialog = "zelmFontDialog";
constexpr DWORD kScrivaneFlags = CF_SCREENFONTS | CF_EFFECTS | CF_FORCEFONTEXIST | CF_INITTOLOGFONTSTRUCT;

LOGFONTA MakeLogFont(const std::string& face, LONG height, LONG weight, BYTE italic)
{
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return lf;
}

QListView* List(QFontDialog* dialog, int which)
{
    return dialog->findChildren<QListView*>(QString(), Qt::FindDirectChildrenOnly).value(which);
}

QString Selected(QFontDialog* dialog, int which)
{
    return List(dialog, which)->currentIndex().data().toString();
}

void SelectFamily(QFontDialog* dialog, const QString& listed)
{
    QListView* families = List(dialog, 0);
    auto matches =
        families->model()->match(families->model()->index(0, 0), Qt::DisplayRole, listed, 1, Qt::MatchExactly);
    ASSERT_FALSE(matches.isEmpty()) << listed.toStdString();
    families->setCurrentIndex(matches.first());
}

QStringList ListedFamilies(QFontDialog* dialog)
{
    QStringList listed;
    auto* model = List(dialog, 0)->model();
    for (int row = 0; row < model->rowCount(); ++row) listed << model->index(row, 0).data().toString();
    return listed;
}

class FontRoundTrip : public ::testing::Test {
protected:

    // Opens the dialog on lf, lets `drive` act, presses OK; returns the style shown at first.
    QString OpenAndConfirm(LOGFONTA& lf, std::function<void(QFontDialog*)> drive = {})
    {
        QString shownStyle;
        WhenModalShown<QFontDialog>(kFontDialog, [&](QFontDialog* dialog) {
            shownStyle = Selected(dialog, 1);
            if (drive) drive(dialog);
            Accept(dialog);
        });
        CFontDialog dlg(&lf, kScrivaneFlags);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        return shownStyle;
    }

    MessageCapture capture{IDOK};
    std::vector<std::string>& messages = capture.texts;
};

TEST_F(FontRoundTrip, PlainOkReturnsTheSameLogFontOnTheMatchingStyle)
{
    const std::string twoFoundries = InstallTwoFoundryFamily().toStdString();
    ASSERT_FALSE(twoFoundries.empty());
    struct Case {
        LOGFONTA lf;
        const char* style;
    } cases[] = {
        {MakeLogFont("DejaVu Sans", -12, FW_NORMAL, 0), "Book"},
        {MakeLogFont("DejaVu Serif", -13, FW_NORMAL, 0), "Book"},
        {MakeLogFont("DejaVu Sans", -16, FW_BOLD, 0), "Bold"},
        {MakeLogFont("DejaVu Serif", -14, FW_NORMAL, 1), "Italic"},  // 14 px is 10.5 points
        {MakeLogFont("DejaVu Sans", 20, FW_BOLD, 1), "Bold Oblique"},
        {MakeLogFont(twoFoundries, -12, FW_NORMAL, 0), nullptr},  // its only style
    };
    for (Case& c : cases) {
        const LOGFONTA before = c.lf;
        QString shown = OpenAndConfirm(c.lf);
        if (c.style) {
            EXPECT_EQ(shown, c.style) << before.lfFaceName;
        }
        EXPECT_EQ(std::memcmp(&c.lf, &before, sizeof before), 0) << before.lfFaceName << " " << before.lfHeight;
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(FontRoundTrip, AChangedSizeKeepsFamilyWeightAndSlant)
{
    LOGFONTA lf = MakeLogFont("DejaVu Sans", -12, FW_NORMAL, 0);
    OpenAndConfirm(lf, [](QFontDialog* dialog) {
        QListView* sizes = List(dialog, 2);
        auto matches = sizes->model()->match(sizes->model()->index(0, 0), Qt::DisplayRole, "12", 1, Qt::MatchExactly);
        ASSERT_FALSE(matches.isEmpty());
        sizes->setCurrentIndex(matches.first());
    });
    EXPECT_STREQ(lf.lfFaceName, "DejaVu Sans");
    EXPECT_EQ(lf.lfHeight, -16);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_EQ(lf.lfItalic, 0);
}

TEST_F(FontRoundTrip, AnotherFamilyGetsTheNearestStyleToTheChosenOne)
{
    LOGFONTA regular = MakeLogFont("DejaVu Sans", -12, FW_NORMAL, 0);
    OpenAndConfirm(regular, [](QFontDialog* dialog) { SelectFamily(dialog, "DejaVu Serif"); });
    EXPECT_STREQ(regular.lfFaceName, "DejaVu Serif");
    EXPECT_EQ(regular.lfWeight, FW_NORMAL);
    EXPECT_EQ(regular.lfItalic, 0) << "not the first style in the list (Condensed Italic)";

    LOGFONTA boldItalic = MakeLogFont("DejaVu Serif", -12, FW_BOLD, 1);
    QString styleAfter;
    OpenAndConfirm(boldItalic, [&](QFontDialog* dialog) {
        SelectFamily(dialog, "DejaVu Sans");
        styleAfter = Selected(dialog, 1);
    });
    EXPECT_EQ(styleAfter, "Bold Oblique");
    EXPECT_STREQ(boldItalic.lfFaceName, "DejaVu Sans");
    EXPECT_EQ(boldItalic.lfWeight, FW_BOLD);
    EXPECT_EQ(boldItalic.lfItalic, 1);
}

TEST_F(FontRoundTrip, AFamilyListedWithItsFoundryCanBeChosenAndTyped)
{
    const QString family = InstallTwoFoundryFamily();
    ASSERT_FALSE(family.isEmpty());
    QStringList suffixed;
    LOGFONTA picked = MakeLogFont("DejaVu Sans", -12, FW_BOLD, 0);
    OpenAndConfirm(picked, [&](QFontDialog* dialog) {
        suffixed = ListedFamilies(dialog).filter(family + " [");
        if (!suffixed.isEmpty()) SelectFamily(dialog, suffixed.first());
    });
    ASSERT_EQ(suffixed.size(), 2) << "the family is listed once per foundry";
    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_EQ(picked.lfFaceName, family.toStdString());
    EXPECT_EQ(picked.lfWeight, FW_NORMAL) << "the family's only style, not bold taken over from DejaVu Sans";

    LOGFONTA typed = MakeLogFont("DejaVu Serif", -12, FW_NORMAL, 1);
    QString selectedAfterTyping;
    OpenAndConfirm(typed, [&](QFontDialog* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>("zelmFaceEdit");
        edit->selectAll();
        edit->insert(family.toLower());
        selectedAfterTyping = Selected(dialog, 0);
    });
    EXPECT_TRUE(selectedAfterTyping.startsWith(family + " [")) << selectedAfterTyping.toStdString();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(typed.lfFaceName, family.toStdString());
    EXPECT_EQ(typed.lfWeight, FW_NORMAL);
    EXPECT_EQ(typed.lfItalic, 0) << "the typed family's own style, not DejaVu Serif's italic";
}

}  // namespace
