#include <zelmtools/framework/dialogs/DataExchange.h>

#include <QLineEdit>
#include <QPointer>
#include <QValidator>
#include <charconv>
#include <string>

#include <zelmtools/framework/dialogs/CDialog.h>
#include "framework/ui/MessageBox.h"

namespace {

constexpr const char* kUnsignedParseMessage = "Please enter a positive integer.";
constexpr const char* kSignedParseMessage = "Please enter an integer.";

template <class Number>
bool ParseNumber(const CString& text, Number& value)
{
    std::string trimmed = text.str();
    trimmed.erase(0, trimmed.find_first_not_of(" \t"));
    trimmed.erase(trimmed.find_last_not_of(" \t") + 1);
    auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    return !trimmed.empty() && error == std::errc() && end == trimmed.data() + trimmed.size();
}

template <class Number>
void ExchangeNumber(CDataExchange* pDX, int nIDC, Number& value, const char* parseMessage)
{
    CWnd* control = pDX->PrepareEditCtrl(nIDC);
    if (!control) return;
    if (!pDX->m_bSaveAndValidate) {
        control->SetWindowText(std::to_string(value).c_str());
        return;
    }
    CString text;
    control->GetWindowText(text);
    Number parsed{};
    if (!ParseNumber(text, parsed)) {
        AfxMessageBox(parseMessage, MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    value = parsed;
}

template <class Number>
void CheckRange(CDataExchange* pDX, Number value, Number minVal, Number maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
    CString message;
    message.Format("Please enter an integer between %s and %s.", std::to_string(minVal).c_str(),
                   std::to_string(maxVal).c_str());
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

// Accepts a text of at most `limit` UTF-8 bytes that the edit's own validator (a number
// edit's, say) accepts too.
class ByteLimitValidator : public QValidator {
public:
    ByteLimitValidator(int limit, const QValidator* previous, QObject* parent)
        : QValidator(parent), m_limit(limit), m_previous(previous)
    {
    }
    State validate(QString& input, int& pos) const override
    {
        if (input.toUtf8().size() > m_limit) return Invalid;
        return m_previous ? m_previous->validate(input, pos) : Acceptable;
    }
    const QValidator* Previous() const { return m_previous; }

private:
    int m_limit;
    QPointer<const QValidator> m_previous;
};

void LimitText(CWnd* control, int nChars)
{
    auto* edit = control ? qobject_cast<QLineEdit*>(control->m_pWidget) : nullptr;
    if (!edit) return;
    const QValidator* previous = edit->validator();
    if (auto* limit = dynamic_cast<const ByteLimitValidator*>(previous)) {
        previous = limit->Previous();  // a second limit replaces the first
        delete limit;
    }
    edit->setValidator(new ByteLimitValidator(nChars, previous, edit));
}

}  // namespace

CWnd* CDataExchange::PrepareCtrl(int nIDC)
{
    m_idLastControl = nIDC;
    return m_pDlgWnd ? m_pDlgWnd->GetDlgItem(nIDC) : nullptr;
}

void CDataExchange::Fail()
{
    if (CWnd* control = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(m_idLastControl) : nullptr) {
        control->SetFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(control->m_pWidget)) edit->selectAll();
    }
    throw new CUserException;
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    CWnd* control = pDX->PrepareCtrl(nIDC);
    if (!control) return;
    if (pDX->m_bSaveAndValidate)
        control->GetWindowText(value);
    else
        control->SetWindowText(value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { ExchangeNumber(pDX, nIDC, value, kUnsignedParseMessage); }
void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { ExchangeNumber(pDX, nIDC, value, kSignedParseMessage); }
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) { CheckRange(pDX, value, minVal, maxVal); }
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) { CheckRange(pDX, value, minVal, maxVal); }

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (!pDX->m_bSaveAndValidate) {
        LimitText(pDX->m_pDlgWnd ? pDX->m_pDlgWnd->GetDlgItem(pDX->m_idLastControl) : nullptr, nChars);
        return;
    }
    if (value.GetLength() <= nChars) return;
    CString message;
    message.Format("Enter no more than %d characters.", nChars);
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

// The member becomes a second view of the same control: same handle, same widget.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    pDX->m_idLastControl = nIDC;
    if (auto* dialog = dynamic_cast<CDialog*>(pDX->m_pDlgWnd)) dialog->BindControl(nIDC, rControl);
}
