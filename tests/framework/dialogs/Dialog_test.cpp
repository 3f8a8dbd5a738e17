// Dialog templates, the dialog built from one, and the data exchange with its checks.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <string>
#include <vector>

#include <zelmtools/framework/controls/Controls.h>
#include <zelmtools/framework/dialogs/CDialog.h>
#include <zelmtools/framework/dialogs/DataExchange.h>
#include "framework/dialogs/DialogBuilder.h"
#include "framework/dialogs/DialogTemplate.h"
#include "framework/ui/MessageBox.h"
#include <zelmtools/platform/kernel/resources.h>
#include "platform/user/window_styles.h"

namespace {

constexpr char kTemplate[] = R"(// a test dialog
DIALOG 0, 0, 200, 100
STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
CAPTION "Numbers"
FONT 8, "MS Sans Serif"
BEGIN
    DEFPUSHBUTTON   "OK", 1, 140, 7, 50, 14
    PUSHBUTTON      "Cancel", 2, 140, 24, 50, 14, WS_DISABLED
    EDITTEXT        10, 7, 7, 60, 13, ES_AUTOHSCROLL | ES_NUMBER
    CONTROL         "", 11, "msctls_updown32", UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS, 67, 7, 11, 13
    LTEXT           "A label", 12, 7, 30, 100, 8
END
)";

HMODULE RegisterTemplate()
{
    static const zelm::platform::ResourceEntry entry{5, 900, reinterpret_cast<const BYTE*>(kTemplate),
                                                     static_cast<DWORD>(sizeof kTemplate - 1)};
    static HMODULE module = zelm::platform::RegisterModuleResources("dialog_test", false, &entry, 1);
    return module;
}

class CNumberDlg : public CDialog {
public:
    CNumberDlg() : CDialog(900) {}
    UINT m_nValue = 7;
    CString m_strLabel = "A label";
    CButton m_ctlOk;
    std::vector<int> clicks;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDOK, m_ctlOk);
        DDX_Text(pDX, 12, m_strLabel);
        DDX_Text(pDX, 10, m_nValue);
        DDV_MinMaxUInt(pDX, m_nValue, 0, 30);
    }
    void OnOkClicked() { clicks.push_back(IDOK); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNumberDlg, CDialog)
ON_BN_CLICKED(IDOK, OnOkClicked)
END_MESSAGE_MAP()

QLineEdit* Edit(CDialog& dialog) { return qobject_cast<QLineEdit*>(dialog.GetDlgItem(10)->m_pWidget); }

}  // namespace

TEST(DialogTemplate, ReadsFrameAndControlsAndNamesTheBadLine)
{
    zelm::framework::DialogTemplate dialog;
    std::string error;
    ASSERT_TRUE(zelm::framework::ParseDialogTemplate(kTemplate, dialog, error)) << error;
    EXPECT_EQ(dialog.caption, "Numbers");
    EXPECT_EQ(dialog.faceName, "MS Sans Serif");
    EXPECT_EQ(dialog.units.right, 200);
    ASSERT_EQ(dialog.items.size(), 5u);
    EXPECT_EQ(dialog.items[0].style & 0xF, BS_DEFPUSHBUTTON);
    EXPECT_TRUE(dialog.items[1].style & WS_DISABLED);
    EXPECT_TRUE(dialog.items[2].style & ES_NUMBER);
    EXPECT_EQ(dialog.items[3].className, "msctls_updown32");
    EXPECT_EQ(dialog.items[3].units.right, 78);

    EXPECT_FALSE(zelm::framework::ParseDialogTemplate("CAPTION \"x\"\nBEGIN\nPUSHBUTTON \"a\", 1, 2\nEND\n", dialog, error));
    EXPECT_EQ(error, "line 3: cannot read PUSHBUTTON");
    EXPECT_FALSE(zelm::framework::ParseDialogTemplate("CAPTION \"open\n", dialog, error));
}

TEST(Dialog, BuildsExchangesAndChecksItsFields)
{
    RegisterTemplate();
    std::vector<std::string> messages;
    zelm::framework::SetMessageBoxHandler([&](const zelm::framework::MessageBoxRequest& r) {
        messages.emplace_back(r.text);
        return IDOK;
    });
    CNumberDlg dialog;
    ASSERT_TRUE(dialog.Create(900));
    EXPECT_EQ(Edit(dialog)->text(), "7") << "shown at initialisation";
    EXPECT_FALSE(dialog.GetDlgItem(2)->IsWindowEnabled());
    EXPECT_EQ(dialog.m_ctlOk.m_hWnd, dialog.GetDlgItem(IDOK)->m_hWnd);
    // 200 x 100 dialog units at the dialog font's average character size.
    zelm::framework::DialogTemplate frame;
    std::string error;
    zelm::framework::ParseDialogTemplate(kTemplate, frame, error);
    auto base = zelm::framework::BaseUnitsFor(frame);
    EXPECT_GT(base.cx, 4);
    EXPECT_GT(base.cy, 10);
    EXPECT_NEAR(dialog.m_pWidget->width(), 200 * base.cx / 4.0, 1);
    EXPECT_NEAR(dialog.m_pWidget->height(), 100 * base.cy / 8.0, 1);

    qobject_cast<QPushButton*>(dialog.m_ctlOk.m_pWidget)->click();
    EXPECT_EQ(dialog.clicks, std::vector<int>{IDOK});

    Edit(dialog)->setText("45");
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.m_nValue, 45u) << "an out-of-range number stays as entered";
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Please enter an integer between 0 and 30.");

    Edit(dialog)->setText("");
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    EXPECT_EQ(messages.back(), "Please enter a positive integer.");

    Edit(dialog)->setText("12");
    EXPECT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.m_nValue, 12u);

    // The up-down control steps its buddy's integer.
    auto* edit = Edit(dialog);
    CSpinButtonCtrl spin;
    spin.m_pWidget = dialog.GetDlgItem(11)->m_pWidget;
    spin.SetPos(spin.GetPos() + 1);
    EXPECT_EQ(edit->text(), "13");
    spin.m_pWidget = nullptr;

    dialog.DestroyWindow();
    EXPECT_EQ(dialog.m_ctlOk.m_hWnd, nullptr) << "members let go of their controls";
    zelm::framework::SetMessageBoxHandler({});
}
