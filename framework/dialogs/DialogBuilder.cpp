#include "framework/dialogs/DialogBuilder.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "framework/controls/TreeWidget.h"
#include "framework/controls/UpDownWidget.h"
#include <zelmtools/platform/gdi/gdi.h>
#include "platform/user/window_styles.h"

namespace zelm::framework {
namespace {

constexpr int kScreenDpi = 96;
constexpr int kEditTextMargin = 2;
constexpr char kAverageSample[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// A control's window: the handle that the program addresses the control by.
class ControlWindow : public CWnd {
public:
    explicit ControlWindow(QWidget* widget)
    {
        m_pWidget = widget;
        AttachNewHandle();
    }
};

QRect PixelRect(const RECT& units, const DialogBaseUnits& base)
{
    auto x = [&](LONG u) { return static_cast<int>(std::lround(u * base.cx / 4.0)); };
    auto y = [&](LONG u) { return static_cast<int>(std::lround(u * base.cy / 8.0)); };
    return QRect(QPoint(x(units.left), y(units.top)), QPoint(x(units.right) - 1, y(units.bottom) - 1));
}

QWidget* MakeButton(const DialogItemTemplate& item, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromUtf8(item.text.c_str()), parent);
    // Enter presses the button that has the focus, else the default one.
    button->setAutoDefault(true);
    button->setDefault((item.style & 0xF) == BS_DEFPUSHBUTTON);
    return button;
}

void ConnectCommands(const DialogControl& control, const CommandSink& commands)
{
    auto* button = qobject_cast<QPushButton*>(control.widget);
    if (!button) return;
    const int id = control.id;
    const HWND hwnd = control.window->m_hWnd;
    QObject::connect(button, &QPushButton::clicked, button, [id, hwnd, commands] { commands(id, BN_CLICKED, hwnd); });
}

// A multi-line edit: lines scroll sideways with ES_AUTOHSCROLL and wrap without it; a
// read-only one shows the dialog's background, as the platform's do.
QWidget* MakeMultiLineEdit(const DialogItemTemplate& item, QWidget* parent)
{
    auto* edit = new QPlainTextEdit(parent);
    edit->setReadOnly(item.style & ES_READONLY);
    edit->setFrameShape((item.style & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
    edit->setLineWrapMode((item.style & ES_AUTOHSCROLL) ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    edit->setHorizontalScrollBarPolicy((item.style & WS_HSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    edit->setVerticalScrollBarPolicy((item.style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    edit->document()->setDocumentMargin(0);
    if (item.style & ES_READONLY) {
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        edit->setPalette(palette);
    }
    return edit;
}

QWidget* MakeEdit(const DialogItemTemplate& item, QWidget* parent)
{
    if (item.style & ES_MULTILINE) return MakeMultiLineEdit(item, parent);
    auto* edit = new QLineEdit(parent);
    if (item.style & ES_NUMBER)
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
    edit->setReadOnly(item.style & ES_READONLY);
    edit->setFrame(item.style & WS_BORDER);
    // A little room between the text and the border, as the platform's edits have.
    if (item.style & WS_BORDER) edit->setTextMargins(kEditTextMargin, 0, kEditTextMargin, 0);
    return edit;
}

QWidget* MakeStatic(const DialogItemTemplate& item, QWidget* parent)
{
    switch (item.style & SS_TYPEMASK) {
    case SS_BITMAP: return new PictureWidget(parent, item.imageId, item.style & SS_SUNKEN);
    case SS_ETCHEDHORZ: {
        auto* line = new QFrame(parent);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        return line;
    }
    default: {
        const QString text = QString::fromUtf8(item.text.c_str());
        QLabel* label = nullptr;
        if (item.style & SS_PATHELLIPSIS)
            label = new ElidingLabel(text, Qt::ElideMiddle, parent);
        else if (item.style & SS_ENDELLIPSIS)
            label = new ElidingLabel(text, Qt::ElideRight, parent);
        else
            label = new QLabel(text, parent);
        label->setTextFormat(Qt::PlainText);
        if ((item.style & SS_TYPEMASK) == SS_CENTER) label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        if (item.style & SS_SUNKEN) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return label;
    }
    }
}

QWidget* MakeProgress(QWidget* parent)
{
    auto* bar = new QProgressBar(parent);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

QWidget* MakeTree(const DialogItemTemplate& item, QWidget* parent)
{
    auto* tree = new TreeWidget(parent, item.id);
    // Without buttons or lines at the root, top-level items sit at the left edge.
    tree->setRootIsDecorated(item.style & TVS_LINESATROOT);
    tree->setItemsExpandable(item.style & TVS_HASBUTTONS);
    if (item.style & TVS_DISABLEDRAGDROP) tree->setDragEnabled(false);
    if (!(item.style & WS_BORDER) && !(item.exStyle & WS_EX_CLIENTEDGE)) tree->setFrameShape(QFrame::NoFrame);
    return tree;
}

QWidget* MakeControl(const DialogItemTemplate& item, QWidget* parent)
{
    if (item.className == "Button") return MakeButton(item, parent);
    if (item.className == "Edit") return MakeEdit(item, parent);
    if (item.className == "Static") return MakeStatic(item, parent);
    if (item.className == "msctls_progress32") return MakeProgress(parent);
    if (item.className == "msctls_updown32") return new UpDownWidget(parent);
    if (item.className == "SysTreeView32") return MakeTree(item, parent);
    return new QWidget(parent);
}

// An image static keeps the size of its image; other controls take their rectangles. A
// text static whose text the substitute font makes wider than its rectangle grows to the
// right, as far as the dialog's edge, rather than cutting its last letters off.
void Place(QWidget* widget, const DialogItemTemplate& item, const DialogBaseUnits& base)
{
    QRect rect = PixelRect(item.units, base);
    if (dynamic_cast<PictureWidget*>(widget)) {
        widget->move(rect.topLeft());
        return;
    }
    auto* label = qobject_cast<QLabel*>(widget);
    if (label && !dynamic_cast<ElidingLabel*>(label) && !label->wordWrap()) {
        const int room = widget->parentWidget()->width() - rect.left();
        rect.setWidth(std::max(rect.width(), std::min(label->sizeHint().width(), room)));
    }
    widget->setGeometry(rect);
}

// A text static's "&" marks the letter that moves the focus to the next control that
// takes it, as the platform's statics do; "&&" is an ampersand.
void ConnectMnemonics(const DialogTemplate& dialog, std::vector<DialogControl>& controls)
{
    for (std::size_t i = 0; i < controls.size(); ++i) {
        auto* label = qobject_cast<QLabel*>(controls[i].widget);
        if (!label || dynamic_cast<ElidingLabel*>(label) || !label->text().contains('&')) continue;
        for (std::size_t next = i + 1; next < controls.size(); ++next) {
            if (dialog.items[next].style & WS_TABSTOP) {
                label->setBuddy(controls[next].widget);
                break;
            }
        }
    }
}

void ConnectBuddy(QWidget* widget, const DialogItemTemplate& item, std::vector<DialogControl>& controls)
{
    auto* upDown = dynamic_cast<UpDownWidget*>(widget);
    if (!upDown || !(item.style & UDS_AUTOBUDDY) || controls.empty()) return;
    upDown->AttachBuddy(qobject_cast<QLineEdit*>(controls.back().widget), item.style & UDS_ALIGNRIGHT,
                        item.style & UDS_ARROWKEYS);
}

}  // namespace

DialogBaseUnits BaseUnitsFor(const DialogTemplate& dialog)
{
    LOGFONTA lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(dialog.pointSize * kScreenDpi / 72.0));
    lf.lfWeight = FW_NORMAL;
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", dialog.faceName.c_str());
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ font = ::CreateFontIndirectA(&lf);
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE sample{};
    ::GetTextExtentPoint32A(dc, kAverageSample, 52, &sample);
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc, &tm);
    ::SelectObject(dc, old);
    ::DeleteObject(font);
    ::DeleteDC(dc);

    DialogBaseUnits base;
    base.cx = (sample.cx / 26 + 1) / 2;
    base.cy = tm.tmHeight;
    base.font = QFont(QString::fromStdString(zelm::platform::MatchedFontFamily(dialog.faceName.c_str())));
    base.font.setPixelSize(static_cast<int>(-lf.lfHeight));
    return base;
}

BuiltDialog BuildDialog(const DialogTemplate& dialog, QWidget* parent, const DialogCallbacks& callbacks)
{
    BuiltDialog built;
    const DialogBaseUnits base = BaseUnitsFor(dialog);
    built.host = new DialogHost(parent, callbacks.cancel, callbacks.paint);
    built.host->setFont(base.font);
    built.host->setWindowTitle(QString::fromUtf8(dialog.caption.c_str()));
    built.host->setFixedSize(PixelRect(dialog.units, base).size());
    built.controls.reserve(dialog.items.size());
    for (const auto& item : dialog.items) {
        QWidget* widget = MakeControl(item, built.host);
        Place(widget, item, base);
        ConnectBuddy(widget, item, built.controls);
        widget->setEnabled(!(item.style & WS_DISABLED));
        widget->setVisible(item.style & WS_VISIBLE);
        built.controls.push_back({item.id, widget, std::make_unique<ControlWindow>(widget)});
        ConnectCommands(built.controls.back(), callbacks.commands);
    }
    ConnectMnemonics(dialog, built.controls);
    return built;
}

}  // namespace zelm::framework
