#include "framework/commdlg/FontChooserDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QPixmap>

#include "framework/commdlg/FontDialogs.h"
#include "framework/ui/MessageBox.h"

namespace zelm::framework {

namespace {

struct NamedColor {
    const char* name;
    COLORREF color;
};

// The sixteen colours that the platform's font dialog offers.
constexpr NamedColor kStandardColors[] = {
    {"Black", RGB(0, 0, 0)},       {"Maroon", RGB(128, 0, 0)},    {"Green", RGB(0, 128, 0)},
    {"Olive", RGB(128, 128, 0)},   {"Navy", RGB(0, 0, 128)},      {"Purple", RGB(128, 0, 128)},
    {"Teal", RGB(0, 128, 128)},    {"Gray", RGB(128, 128, 128)},  {"Silver", RGB(192, 192, 192)},
    {"Red", RGB(255, 0, 0)},       {"Lime", RGB(0, 255, 0)},      {"Yellow", RGB(255, 255, 0)},
    {"Blue", RGB(0, 0, 255)},      {"Fuchsia", RGB(255, 0, 255)}, {"Aqua", RGB(0, 255, 255)},
    {"White", RGB(255, 255, 255)},
};

QIcon Swatch(COLORREF color)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(QColor(GetRValue(color), GetGValue(color), GetBValue(color)));
    return QIcon(pixmap);
}

QGroupBox* EffectsGroup(QFontDialog& dialog)
{
    for (auto* group : dialog.findChildren<QGroupBox*>())
        if (group->findChild<QCheckBox*>()) return group;
    return nullptr;
}

}  // namespace

FontChooserDialog::FontChooserDialog(QWidget* owner, bool effects, bool faceMustExist, COLORREF color)
    : QFontDialog(owner), m_faceMustExist(faceMustExist)
{
    setObjectName("zelmFontDialog");
    setOption(QFontDialog::DontUseNativeDialog);
    setWindowTitle("Font");
    // The first line edit shows the family; it becomes a place to type a face name.
    m_faceEdit = findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
    if (m_faceEdit) {
        m_faceEdit->setObjectName("zelmFaceEdit");
        m_faceEdit->setReadOnly(false);
        m_faceEdit->setFocusProxy(nullptr);
        connect(m_faceEdit, &QLineEdit::textEdited, this, [this](const QString& text) { FollowTypedFace(text); });
    }
    if (QGroupBox* group = EffectsGroup(*this)) {
        group->setVisible(effects);
        if (effects) AddColorBox(color);
    }
}

void FontChooserDialog::AddColorBox(COLORREF color)
{
    QGroupBox* group = EffectsGroup(*this);
    m_colorBox = new QComboBox(group);
    m_colorBox->setObjectName("zelmColorBox");
    for (const NamedColor& named : kStandardColors) m_colorBox->addItem(Swatch(named.color), named.name, static_cast<uint>(named.color));
    int index = m_colorBox->findData(static_cast<uint>(color));
    if (index < 0) {
        // A colour of the caller's own is kept as a choice of its own.
        m_colorBox->addItem(Swatch(color), "Custom", static_cast<uint>(color));
        index = m_colorBox->count() - 1;
    }
    m_colorBox->setCurrentIndex(index);
    auto* label = new QLabel("&Color:", group);
    label->setBuddy(m_colorBox);
    group->layout()->addWidget(label);
    group->layout()->addWidget(m_colorBox);
}

void FontChooserDialog::StartWith(const QFont& font)
{
    setCurrentFont(font);
    if (m_faceEdit && !font.family().isEmpty()) m_faceEdit->setText(font.family());
}

void FontChooserDialog::FollowTypedFace(const QString& text)
{
    // A typed name of a listed family selects it, so that styles and sample follow.
    auto* families = findChild<QListView*>();
    if (!families || !families->model()) return;
    QModelIndexList matches =
        families->model()->match(families->model()->index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchFixedString);
    if (!matches.isEmpty()) families->setCurrentIndex(matches.first());
}

QString FontChooserDialog::ChosenFace() const
{
    QString face = m_faceEdit ? m_faceEdit->text().trimmed() : currentFont().family();
    // Qt also lists generic names ("Sans Serif"); they stand for the face they resolve to.
    if (QFontDatabase::families().contains(face, Qt::CaseInsensitive)) {
        QString resolved = QFontInfo(QFont(face)).family();
        if (!resolved.isEmpty()) return resolved;
    }
    return face;
}

COLORREF FontChooserDialog::ChosenColor() const
{
    return m_colorBox ? COLORREF{m_colorBox->currentData().value<uint>()} : RGB(0, 0, 0);
}

void FontChooserDialog::accept()
{
    if (m_faceMustExist && !zelm::platform::FontFamilyExists(ChosenFace().toUtf8().constData())) {
        AfxMessageBox(kNoSuchFontText, MB_OK | MB_ICONEXCLAMATION);
        if (m_faceEdit) m_faceEdit->setFocus();
        return;
    }
    QFontDialog::accept();
}

}  // namespace zelm::framework
