#pragma once
// Runs one render job without the dialog: the same worker, with a message window of
// the batch driver receiving its notifications.

#include "app/BatchOptions.h"

// Exit codes of the batch mode: a stop by a signal ends with 128 + the signal's number,
// as a shell reports a program that the signal ended.
constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitHangUp = 129;       // SIGHUP
constexpr int kExitInterrupted = 130;  // SIGINT, Ctrl+C
constexpr int kExitTerminated = 143;   // SIGTERM

// Runs the job to its end and returns the exit code. Needs Qt's core application.
int RunBatch(const BatchOptions& options);
