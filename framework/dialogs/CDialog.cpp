#include <zelmtools/framework/dialogs/CDialog.h>

#include <string>

#include <zelmtools/framework/app/CWinApp.h>
#include "framework/dialogs/DialogBuilder.h"
#include "framework/ui/MessageBox.h"
#include "framework/windows/WindowWidgets.h"
#include "framework/ui/MessageBox.h"
#include "platform/user/window_styles.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() { TearDownWidgets(); }

BOOL CDialog::CreateDialogWindow(UINT nIDTemplate, CWnd* pParentWnd)
{
    zelm::framework::DialogTemplate dialogTemplate;
    std::string error;
    if (m_hWnd || !zelm::framework::LoadDialogTemplate(nIDTemplate, dialogTemplate, error)) return FALSE;
    CWnd* owner = pParentWnd ? pParentWnd : AfxGetMainWnd();
    QWidget* parent = owner && owner != this ? owner->m_pWidget : nullptr;
    zelm::framework::DialogCallbacks callbacks;
    callbacks.commands = [this](int id, UINT code, HWND control) {
        ::SendMessage(m_hWnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(code)),
                      reinterpret_cast<LPARAM>(control));
    };
    callbacks.cancel = [this] { ::SendMessage(m_hWnd, WM_COMMAND, IDCANCEL, 0); };
    callbacks.paint = [this] { ::SendMessage(m_hWnd, WM_PAINT, 0, 0); };
    m_pBuilt = std::make_unique<zelm::framework::BuiltDialog>(
        zelm::framework::BuildDialog(dialogTemplate, parent, callbacks));
    m_pWidget = m_pBuilt->host;
    AttachNewHandle();
    zelm::framework::SetWidgetForWindow(m_hWnd, m_pWidget);
    for (const auto& control : m_pBuilt->controls)
        zelm::framework::SetWidgetForWindow(control.window->m_hWnd, control.widget);
    return OnInitDialog();
}

INT_PTR CDialog::DoModal()
{
    if (!CreateDialogWindow(m_nIDTemplate, m_pParentWnd) && !m_hWnd) return -1;
    m_nModalResult = -1;
    m_pBuilt->host->setModal(true);
    m_pBuilt->host->exec();
    DestroyWindow();
    return m_nModalResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDTemplate = nIDTemplate;
    if (!CreateDialogWindow(nIDTemplate, pParentWnd) && !m_hWnd) return FALSE;
    m_pBuilt->host->show();
    return TRUE;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    if (m_pBuilt) m_pBuilt->host->done(nResult);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

CWnd* CDialog::GetDlgItem(int nID) const
{
    if (!m_pBuilt) return nullptr;
    for (const auto& control : m_pBuilt->controls) {
        if (control.id != nID) continue;
        for (CWnd* bound : m_boundControls)
            if (bound->m_hWnd == control.window->m_hWnd) return bound;
        return control.window.get();
    }
    return nullptr;
}

void CDialog::BindControl(int nID, CWnd& rControl)
{
    CWnd* control = GetDlgItem(nID);
    if (!control || rControl.m_hWnd) return;
    rControl.m_hWnd = control->m_hWnd;
    rControl.m_pWidget = control->m_pWidget;
    m_boundControls.push_back(&rControl);
}

BOOL CDialog::DestroyWindow()
{
    if (!m_hWnd) return FALSE;
    WindowProc(WM_DESTROY, 0, 0);
    TearDownWidgets();
    return CWnd::DestroyWindow();
}

// Bound members let go of their controls; the control windows and widgets go.
void CDialog::TearDownWidgets()
{
    for (CWnd* bound : m_boundControls) bound->m_hWnd = nullptr, bound->m_pWidget = nullptr;
    m_boundControls.clear();
    if (!m_pBuilt) return;
    auto built = std::move(m_pBuilt);
    for (const auto& control : built->controls) zelm::framework::SetWidgetForWindow(control.window->m_hWnd, nullptr);
    zelm::framework::SetWidgetForWindow(m_hWnd, nullptr);
    built->controls.clear();
    delete built->host;
    m_pWidget = nullptr;
}
