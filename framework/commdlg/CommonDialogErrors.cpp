#include "framework/commdlg/CommonDialogErrors.h"

#include <QApplication>
#include <QThread>

namespace {
thread_local DWORD t_lastError = 0;
}

DWORD CommDlgExtendedError()
{
    return t_lastError;
}

namespace zelm::framework {

void SetCommonDialogError(DWORD code)
{
    t_lastError = code;
}

bool CanShowCommonDialog()
{
    auto* gui = qobject_cast<QApplication*>(QCoreApplication::instance());
    bool possible = gui != nullptr && QThread::currentThread() == gui->thread();
    SetCommonDialogError(possible ? DWORD{0} : CDERR_INITIALIZATION);
    return possible;
}

}  // namespace zelm::framework
