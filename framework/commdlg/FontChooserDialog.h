#pragma once
// Qt's font dialog with what the platform's font dialog adds: a face name that can be
// typed (and refused when it must exist), and a colour among the effects. It keeps the
// weight and slant the user chose when another family is picked, and knows whether the
// user changed anything at all.

#include <QFont>
#include <QFontDialog>

#include "framework/commdlg/FontStyles.h"
#include <zelmtools/platform/base/win_types.h>

class QComboBox;
class QLineEdit;
class QListView;

namespace zelm::framework {

class FontChooserDialog : public QFontDialog {
public:
    FontChooserDialog(QWidget* owner, bool effects, bool faceMustExist, COLORREF color);

    // Starts from the font, showing its face name even when no such face exists.
    void StartWith(const QFont& font);
    // The face name the user chose or typed, without a foundry.
    QString ChosenFace() const;
    COLORREF ChosenColor() const;
    // True while the font is still the one the dialog started with.
    bool Unchanged() const;

    void accept() override;

private:
    void AddColorBox(COLORREF color);
    void FitToContents();
    void FollowTypedFace(const QString& text);
    void FollowFamily();
    void FollowStyle();
    void SelectStyle(const QString& style);
    QListView* FamilyList() const;
    QListView* StyleList() const;
    QString Selected(QListView* list) const;

    QLineEdit* m_faceEdit = nullptr;
    QComboBox* m_colorBox = nullptr;
    bool m_faceMustExist;
    // What the user asked for in the style list; another family gets its nearest style.
    StyleTraits m_wanted;
    QString m_family;
    bool m_choosingStyle = false;
    QFont m_startFont;
    QString m_startFace;
};

}  // namespace zelm::framework
