#pragma once
// Takes the place of the message-box entry point while it lives: keeps every text
// shown and answers with the default answer or a chosen one.

#include <string>
#include <vector>

#include "framework/ui/MessageBox.h"

class MessageCapture {
public:
    explicit MessageCapture(int answer = 0)
    {
        m_previous = zelm::framework::SetMessageBoxHandler([this, answer](const zelm::framework::MessageBoxRequest& r) {
            texts.emplace_back(r.text);
            return answer != 0 ? answer : zelm::framework::DefaultMessageBoxAnswer(r.type);
        });
    }
    ~MessageCapture() { zelm::framework::SetMessageBoxHandler(m_previous); }
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    std::vector<std::string> texts;

private:
    zelm::framework::MessageBoxHandler m_previous;
};
