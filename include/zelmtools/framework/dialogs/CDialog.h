#pragma once
// A dialog built from a template resource, run modally (DoModal) or shown modeless
// (Create). Buttons send WM_COMMAND to the dialog's message map; OK and Cancel end it.

#include <zelmtools/platform/base/export.h>
#include <memory>
#include <vector>

#include <zelmtools/framework/windows/CWnd.h>

namespace zelm::framework {
struct BuiltDialog;
}

class ZELM_API CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)

public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);
    BOOL DestroyWindow() override;

    CWnd* GetDlgItem(int nID) const override;
    // Makes a member object a view of the control (DDX_Control).
    void BindControl(int nID, CWnd& rControl);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

protected:
    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateDialogWindow(UINT nIDTemplate, CWnd* pParentWnd);
    void TearDownWidgets();

    std::unique_ptr<zelm::framework::BuiltDialog> m_pBuilt;
    std::vector<CWnd*> m_boundControls;
};

// AfxGetMainWnd: the application's main window, the default owner of dialogs.
ZELM_API CWnd* AfxGetMainWnd();
