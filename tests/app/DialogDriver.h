#pragma once
// Drives the real main dialog offscreen: clicks its buttons, types into its edits,
// and answers the platform dialogs that its buttons open.

#include <functional>
#include <string>
#include <vector>

#include "app/ScrivaneDlg.h"

class QWidget;

// Runs `answer` on the modal dialog that the next action opens.
void AnswerNextModal(std::function<void(QWidget*)> answer);

// Drops the answers given for dialogs that never came.
void ForgetPendingAnswers();

// The file dialog accepts this path; an empty path cancels it.
void AnswerFileDialog(const std::string& path);
// The folder browser accepts this folder; an empty path cancels it.
void AnswerFolderBrowser(const std::string& folder);

void Click(CDialog& dialog, int id);
// Enter with the focus on the control, as a user presses it.
void PressEnter(CDialog& dialog, int id);
void TypeText(CDialog& dialog, int id, const std::string& text);
std::string TextOf(CDialog& dialog, int id);
bool IsEnabled(CDialog& dialog, int id);

// Waits (handling messages) until the job of the dialog has ended.
bool WaitForIdle(CScrivaneDlg& dialog, int timeoutMs = 60000);

// Collects message box texts while alive.
class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    std::vector<std::string> texts;
};
