#include "framework/commdlg/FileDialogs.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <cstring>
#include <string>

#include "framework/commdlg/FileFilter.h"
#include "framework/windows/WindowWidgets.h"
#include "platform/base/utf8.h"

namespace zelm::framework {

namespace {

QString FromUtf8(LPCSTR text)
{
    return text ? QString::fromUtf8(text) : QString();
}

// A default extension given as a pattern ("*.*") names no extension to append.
QString DefaultExtension(LPCSTR defExt)
{
    QString ext = FromUtf8(defExt);
    while (ext.startsWith('.')) ext.remove(0, 1);
    return ext.contains('*') || ext.contains('?') ? QString() : ext;
}

QString WithDefaultExtension(const QString& path, const QString& ext, bool open)
{
    QFileInfo info(path);
    if (ext.isEmpty() || info.fileName().contains('.')) return path;
    // An existing file is opened by the name as typed.
    if (open && info.exists()) return path;
    return path + '.' + ext;
}

void SetUpFilters(QFileDialog& dialog, const OPENFILENAMEA& ofn)
{
    QStringList filters = NameFiltersFromFilter(ofn.lpstrFilter);
    if (filters.isEmpty()) return;
    dialog.setNameFilters(filters);
    if (ofn.nFilterIndex >= 1 && ofn.nFilterIndex <= static_cast<DWORD>(filters.size()))
        dialog.selectNameFilter(filters[static_cast<int>(ofn.nFilterIndex - 1)]);
}

void SetUpStart(QFileDialog& dialog, const OPENFILENAMEA& ofn)
{
    if (ofn.lpstrInitialDir && *ofn.lpstrInitialDir) dialog.setDirectory(FromUtf8(ofn.lpstrInitialDir));
    QString initial = QString::fromUtf8(ofn.lpstrFile, static_cast<qsizetype>(strnlen(ofn.lpstrFile, ofn.nMaxFile)));
    if (!initial.isEmpty()) dialog.selectFile(initial);
}

QCheckBox* AddReadOnlyBox(QFileDialog& dialog, bool checked)
{
    auto* box = new QCheckBox(QStringLiteral("Open as read-only"), &dialog);
    box->setObjectName("zelmReadOnlyBox");
    box->setChecked(checked);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(box, grid->rowCount(), 0, 1, grid->columnCount());
    return box;
}

void CopyCut(const std::string& text, LPSTR buffer, DWORD size)
{
    if (buffer == nullptr || size == 0) return;
    std::size_t length = zelm::platform::Utf8PrefixLength(text.c_str(), text.size(), size - 1);
    std::memcpy(buffer, text.c_str(), length);
    buffer[length] = '\0';
}

bool StorePath(OPENFILENAMEA& ofn, const QString& chosen)
{
    std::string path = chosen.toStdString();
    if (path.size() + 1 > ofn.nMaxFile || path.size() > 0xFFFF) {
        if (ofn.nMaxFile >= sizeof(WORD)) {
            auto needed = static_cast<WORD>(std::min<std::size_t>(path.size() + 1, 0xFFFF));
            std::memcpy(ofn.lpstrFile, &needed, sizeof needed);
        }
        SetCommonDialogError(FNERR_BUFFERTOOSMALL);
        return false;
    }
    std::memcpy(ofn.lpstrFile, path.c_str(), path.size() + 1);
    std::size_t nameStart = path.rfind('/') + 1;
    std::size_t dot = path.rfind('.');
    ofn.nFileOffset = static_cast<WORD>(nameStart);
    if (dot == std::string::npos || dot < nameStart)
        ofn.nFileExtension = static_cast<WORD>(path.size());
    else
        ofn.nFileExtension = static_cast<WORD>(dot + 1 == path.size() ? 0 : dot + 1);
    CopyCut(path.substr(nameStart), ofn.lpstrFileTitle, ofn.nMaxFileTitle);
    return true;
}

void StoreChoices(OPENFILENAMEA& ofn, const QFileDialog& dialog, const QCheckBox* readOnly, const QString& path)
{
    if (readOnly) ofn.Flags = readOnly->isChecked() ? (ofn.Flags | OFN_READONLY) : (ofn.Flags & ~OFN_READONLY);
    QString ext = DefaultExtension(ofn.lpstrDefExt);
    bool different = !ext.isEmpty() && QFileInfo(path).suffix().compare(ext, Qt::CaseInsensitive) != 0;
    ofn.Flags = different ? (ofn.Flags | OFN_EXTENSIONDIFFERENT) : (ofn.Flags & ~OFN_EXTENSIONDIFFERENT);
    // The dialog names its filter without the patterns that it hides.
    QStringList filters = dialog.nameFilters();
    QString selected = dialog.selectedNameFilter();
    for (qsizetype i = 0; i < filters.size(); ++i)
        if (filters[i] == selected || filters[i].left(filters[i].lastIndexOf(" (")) == selected) {
            ofn.nFilterIndex = static_cast<DWORD>(i + 1);
            break;
        }
}

bool ValidRequest(const OPENFILENAMEA* ofn)
{
    if (ofn == nullptr || ofn->lStructSize != sizeof(OPENFILENAMEA)) {
        SetCommonDialogError(CDERR_STRUCTSIZE);
        return false;
    }
    if (ofn->lpstrFile == nullptr || ofn->nMaxFile == 0) {
        SetCommonDialogError(CDERR_INITIALIZATION);
        return false;
    }
    return CanShowCommonDialog();
}

}  // namespace

BOOL RunFileDialog(OPENFILENAMEA* request, bool open, QWidget* owner)
{
    if (!ValidRequest(request)) return FALSE;
    OPENFILENAMEA& ofn = *request;
    QFileDialog dialog(owner);
    dialog.setObjectName("zelmFileDialog");
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open && (ofn.Flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!open && !(ofn.Flags & OFN_OVERWRITEPROMPT)) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setWindowTitle(ofn.lpstrTitle ? FromUtf8(ofn.lpstrTitle) : QString(open ? "Open" : "Save As"));
    SetUpFilters(dialog, ofn);
    SetUpStart(dialog, ofn);
    QCheckBox* readOnly = (ofn.Flags & OFN_HIDEREADONLY) ? nullptr : AddReadOnlyBox(dialog, ofn.Flags & OFN_READONLY);

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return FALSE;
    QString path = WithDefaultExtension(dialog.selectedFiles().first(), DefaultExtension(ofn.lpstrDefExt), open);
    if (!StorePath(ofn, path)) return FALSE;
    StoreChoices(ofn, dialog, readOnly, path);
    return TRUE;
}

}  // namespace zelm::framework

BOOL GetOpenFileNameA(LPOPENFILENAMEA lpofn)
{
    using namespace zelm::framework;
    return RunFileDialog(lpofn, true, lpofn ? WidgetForWindow(lpofn->hwndOwner) : nullptr);
}

BOOL GetSaveFileNameA(LPOPENFILENAMEA lpofn)
{
    using namespace zelm::framework;
    return RunFileDialog(lpofn, false, lpofn ? WidgetForWindow(lpofn->hwndOwner) : nullptr);
}
