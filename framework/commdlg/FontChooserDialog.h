#pragma once
// Qt's font dialog with what the platform's font dialog adds: a face name that can be
// typed (and refused when it must exist), and a colour among the effects.

#include <QFontDialog>

#include <zelmtools/platform/base/win_types.h>

class QComboBox;
class QLineEdit;

namespace zelm::framework {

class FontChooserDialog : public QFontDialog {
public:
    FontChooserDialog(QWidget* owner, bool effects, bool faceMustExist, COLORREF color);

    // Starts from the font, showing its face name even when no such face exists.
    void StartWith(const QFont& font);
    // The face name the user chose or typed.
    QString ChosenFace() const;
    COLORREF ChosenColor() const;

    void accept() override;

private:
    void AddColorBox(COLORREF color);
    void FollowTypedFace(const QString& text);

    QLineEdit* m_faceEdit = nullptr;
    QComboBox* m_colorBox = nullptr;
    bool m_faceMustExist;
};

}  // namespace zelm::framework
