#pragma once
// What the folder-browser tests share: a window that records commands, choosing in a
// popup menu, and message boxes answered from a list.

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <deque>
#include <string>
#include <vector>

#include <zelmtools/framework/windows/CWnd.h>

#include "framework/ui/MessageBox.h"
#include "support/command_window.h"

inline QWidget* ShownPopup()
{
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

inline QStringList ItemTexts(QWidget* popup)
{
    QStringList texts;
    for (QAction* action : static_cast<QMenu*>(popup)->actions()) texts << action->text();
    return texts;
}

// Chooses the item at the position with the keyboard; -1 dismisses the menu (Escape).
inline void ChooseItem(QWidget* popup, int index)
{
    auto* menu = static_cast<QMenu*>(popup);
    if (index >= 0) menu->setActiveAction(menu->actions().at(index));
    QKeyEvent key(QEvent::KeyPress, index >= 0 ? Qt::Key_Return : Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(menu, &key);
}

// Answers message boxes with the given buttons in order (then with their defaults) and
// keeps what they showed.
class MessageAnswers {
public:
    explicit MessageAnswers(std::deque<int> answers = {}) : m_answers(std::move(answers))
    {
        m_previous = zelm::framework::SetMessageBoxHandler([this](const zelm::framework::MessageBoxRequest& r) {
            texts.emplace_back(r.text);
            types.push_back(r.type);
            if (m_answers.empty()) return zelm::framework::DefaultMessageBoxAnswer(r.type);
            int answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        });
    }
    ~MessageAnswers() { zelm::framework::SetMessageBoxHandler(m_previous); }
    MessageAnswers(const MessageAnswers&) = delete;
    MessageAnswers& operator=(const MessageAnswers&) = delete;

    std::vector<std::string> texts;
    std::vector<UINT> types;

private:
    std::deque<int> m_answers;
    zelm::framework::MessageBoxHandler m_previous;
};
