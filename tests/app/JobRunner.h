#pragma once
// Runs one render job on a real worker thread, as the dialog does, and records what the
// notified window and the message box saw.

#include <functional>
#include <string>
#include <vector>

#include "app/WorkThread.h"

struct JobResult {
    int pagesWritten = 0;
    std::vector<int> progress;  // every percentage sent, in order
    int endNotifications = 0;
    std::vector<std::string> messages;  // message boxes shown
    int progressAfterLastMessage = 0;  // progress notifications since the last message box
};

struct JobSettings {
    LOGFONT font = DefaultTestFont();
    int delSize = 3;
    TextEncoding encoding = TextEncoding::Auto;
    // Called on the notified window's thread at each progress notification, while the
    // worker waits.
    std::function<void(CWorkThread&)> onProgress;

    static LOGFONT DefaultTestFont();
};

JobResult RunRenderJob(const std::string& inputPath, const std::string& outputFolder, const JobSettings& settings = {});

// Writes bytes to a file.
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
