#include "framework/windows/WindowWidgets.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <mutex>
#include <unordered_map>

namespace zelm::framework {

namespace {

struct WidgetRecords {
    std::mutex lock;
    std::unordered_map<HWND, QPointer<QWidget>> widgets;
};

WidgetRecords& Records()
{
    static WidgetRecords* records = new WidgetRecords;  // used until the last window ends
    return *records;
}

}  // namespace

void SetWidgetForWindow(HWND hWnd, QWidget* widget)
{
    if (hWnd == nullptr) return;
    auto& records = Records();
    std::lock_guard guard(records.lock);
    if (widget == nullptr)
        records.widgets.erase(hWnd);
    else
        records.widgets[hWnd] = widget;
}

QWidget* WidgetForWindow(HWND hWnd)
{
    auto& records = Records();
    std::lock_guard guard(records.lock);
    auto it = records.widgets.find(hWnd);
    return it == records.widgets.end() ? nullptr : it->second.data();
}

HWND WindowForWidget(const QWidget* widget)
{
    if (widget == nullptr) return nullptr;
    auto& records = Records();
    std::lock_guard guard(records.lock);
    for (const auto& [hWnd, shown] : records.widgets)
        if (shown.data() == widget) return hWnd;
    return nullptr;
}

QWidget* SafeOwnerWidget(HWND hWnd)
{
    if (QWidget* widget = WidgetForWindow(hWnd)) return widget;
    return QApplication::activeWindow();
}

}  // namespace zelm::framework
