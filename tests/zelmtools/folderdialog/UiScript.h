#pragma once
// Plays steps against the windows that the code under test opens while it blocks in
// their loops: each step waits until its window is there (polling), then acts on it.
// A step that does not come in time fails the test, and every menu and modal dialog is
// then closed so that the test ends.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>

class UiScript {
public:
    using Find = std::function<QWidget*()>;
    using Act = std::function<void(QWidget*)>;

    UiScript()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start(5);
        m_clock.start();
    }
    ~UiScript()
    {
        for (const Step& step : m_steps) ADD_FAILURE() << "step not reached: " << step.what;
    }
    UiScript(const UiScript&) = delete;
    UiScript& operator=(const UiScript&) = delete;

    UiScript& Then(std::string what, Find find, Act act)
    {
        m_steps.push_back({std::move(what), std::move(find), std::move(act)});
        return *this;
    }

private:
    struct Step {
        std::string what;
        Find find;
        Act act;
    };

    void Poll()
    {
        if (m_failed) return CloseEverything();
        if (m_steps.empty()) return;
        if (QWidget* widget = m_steps.front().find()) {
            Step step = std::move(m_steps.front());
            m_steps.pop_front();
            m_clock.restart();
            // Acted on from the queue: a timer's handler is not re-entered, so a menu or
            // dialog that the act opens would otherwise stop the script.
            QTimer::singleShot(0, widget, [act = std::move(step.act), widget] { act(widget); });
        } else if (m_clock.elapsed() > kTimeoutMs) {
            ADD_FAILURE() << "timed out waiting for: " << m_steps.front().what;
            m_steps.clear();
            m_failed = true;
        }
    }

    static void CloseEverything()
    {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) menu->close();
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
    }

    static constexpr int kTimeoutMs = 10000;
    std::deque<Step> m_steps;
    QTimer m_timer;
    QElapsedTimer m_clock;
    bool m_failed = false;
};
