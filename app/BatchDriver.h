#pragma once
// Runs one render job without the dialog: the same worker, with a message window of
// the batch driver receiving its notifications.

#include "app/BatchOptions.h"

// Exit codes of the batch mode.
constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitInterrupted = 130;

// Runs the job to its end and returns the exit code. Needs Qt's core application.
int RunBatch(const BatchOptions& options);
