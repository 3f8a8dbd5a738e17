#pragma once
// Picks a file in a Qt file dialog as a user does: opens its folder and types its name.
// selectFile alone is not enough: it leaves a name field that already has the focus
// alone, and whether the field has it yet depends on timing.

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

inline void ChooseFile(QFileDialog* dialog, const QString& path)
{
    QFileInfo info(path);
    if (info.isAbsolute()) dialog->setDirectory(info.absolutePath());
    dialog->selectFile(path);
    if (auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit"))
        edit->setText(info.isAbsolute() ? info.fileName() : path);
}
