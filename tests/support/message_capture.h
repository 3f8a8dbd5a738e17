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
            captions.emplace_back(r.caption);
            types.push_back(r.type);
            return answer != 0 ? answer : zelm::framework::DefaultMessageBoxAnswer(r.type);
        });
    }
    ~MessageCapture() { zelm::framework::SetMessageBoxHandler(m_previous); }
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    std::vector<std::string> texts;
    std::vector<std::string> captions;
    std::vector<UINT> types;

private:
    zelm::framework::MessageBoxHandler m_previous;
};

// The caption that a message box shown now gets.
inline std::string CaptionOfNextMessage()
{
    MessageCapture capture;
    AfxMessageBox("text");
    return capture.captions.at(0);
}
