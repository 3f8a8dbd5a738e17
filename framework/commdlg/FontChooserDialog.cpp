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
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

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

// Room for the lists to show a useful number of rows without cutting style names.
constexpr int kMinimumWidth = 640;
constexpr int kMinimumHeight = 500;
constexpr int kStyleColumnCap = 320;

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
    // Connected after the dialog's own handlers, so these run once its lists are updated.
    if (QListView* families = FamilyList())
        connect(families->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { FollowFamily(); });
    if (QListView* styles = StyleList())
        connect(styles->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { FollowStyle(); });
    if (QGroupBox* group = EffectsGroup(*this)) {
        group->setVisible(effects);
        if (effects) AddColorBox(color);
    }
    FitToContents();
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

void FontChooserDialog::FitToContents()
{
    if (QListView* styles = StyleList()) {
        const int scrollBar = styles->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, styles);
        const int text = std::min(WidestStyleName(styles->fontMetrics()), kStyleColumnCap);
        styles->setMinimumWidth(text + scrollBar + 2 * styles->frameWidth() + 2 * styles->spacing() + 8);
    }
    resize(sizeHint().expandedTo(QSize(kMinimumWidth, kMinimumHeight)));
}

QListView* FontChooserDialog::FamilyList() const
{
    const auto lists = findChildren<QListView*>(QString(), Qt::FindDirectChildrenOnly);
    return lists.size() > 0 ? lists[0] : nullptr;
}

QListView* FontChooserDialog::StyleList() const
{
    const auto lists = findChildren<QListView*>(QString(), Qt::FindDirectChildrenOnly);
    return lists.size() > 1 ? lists[1] : nullptr;
}

QString FontChooserDialog::Selected(QListView* list) const
{
    return list ? list->currentIndex().data(Qt::DisplayRole).toString() : QString();
}

void FontChooserDialog::StartWith(const QFont& font)
{
    setCurrentFont(font);
    // The dialog itself would take the first style whose name it does not recognise
    // (an oblique or condensed one); the style is chosen by weight and slant instead.
    m_wanted = StyleTraits{font.weight(), font.style() != QFont::StyleNormal};
    m_family = Selected(FamilyList());
    if (!m_family.isEmpty()) SelectStyle(ClosestStyle(m_family, m_wanted));
    if (m_faceEdit && !font.family().isEmpty()) m_faceEdit->setText(font.family());
    m_startFont = currentFont();
    m_startFace = m_faceEdit ? m_faceEdit->text() : QString();
}

bool FontChooserDialog::Unchanged() const
{
    return currentFont() == m_startFont && (!m_faceEdit || m_faceEdit->text() == m_startFace);
}

void FontChooserDialog::SelectStyle(const QString& style)
{
    QListView* styles = StyleList();
    if (!styles || !styles->model() || style.isEmpty()) return;
    QModelIndexList matches =
        styles->model()->match(styles->model()->index(0, 0), Qt::DisplayRole, style, 1, Qt::MatchExactly);
    if (matches.isEmpty()) return;
    m_choosingStyle = true;
    styles->setCurrentIndex(matches.first());
    m_choosingStyle = false;
}

void FontChooserDialog::FollowFamily()
{
    const QString family = Selected(FamilyList());
    if (family.isEmpty() || family == m_family) return;
    m_family = family;
    SelectStyle(ClosestStyle(family, m_wanted));
}

void FontChooserDialog::FollowStyle()
{
    // While the family changes the dialog moves the style by itself: not the user's choice.
    if (m_choosingStyle || Selected(FamilyList()) != m_family) return;
    const QString style = Selected(StyleList());
    if (!style.isEmpty()) m_wanted = TraitsOfStyle(m_family, style);
}

void FontChooserDialog::FollowTypedFace(const QString& text)
{
    // A typed name of a listed family selects it, so that styles and sample follow; the
    // plain name also selects a family listed with its foundry.
    QListView* families = FamilyList();
    if (!families || !families->model()) return;
    const QString typed = text.trimmed();
    QModelIndex byFamily;
    for (int row = 0; row < families->model()->rowCount(); ++row) {
        QModelIndex index = families->model()->index(row, 0);
        const QString listed = index.data(Qt::DisplayRole).toString();
        if (listed.compare(typed, Qt::CaseInsensitive) == 0) {
            families->setCurrentIndex(index);
            return;
        }
        if (!byFamily.isValid() && FamilyWithoutFoundry(listed).compare(typed, Qt::CaseInsensitive) == 0)
            byFamily = index;
    }
    if (byFamily.isValid()) families->setCurrentIndex(byFamily);
}

QString FontChooserDialog::ChosenFace() const
{
    QString face = FamilyWithoutFoundry(m_faceEdit ? m_faceEdit->text().trimmed() : currentFont().family());
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
