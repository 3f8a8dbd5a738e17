#include "app/ScrivaneMain.h"

#include <cstdio>
#include <cstring>

#include "app/BatchDriver.h"
#include "app/BatchOptions.h"
#include "app/ScrivaneDlg.h"
#include "framework/app/ApplicationScope.h"
#include <zelmtools/framework/app/CWinApp.h>
#include "framework/windows/WindowImage.h"

namespace {

constexpr int kExitNoDisplay = 2;

const char* ArgumentAfter(int argc, char** argv, const char* wanted)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], wanted) == 0) return i + 1 < argc ? argv[i + 1] : "";
    return nullptr;
}

int RunBatchMode(int argc, char** argv)
{
    BatchOptions options;
    if (auto error = ParseBatchOptions(argc - 1, argv + 1, options)) {
        std::fprintf(stderr, "scrivane: %s\n%s", error->c_str(), "Try 'scrivane --help' for more.\n");
        return kExitUsage;
    }
    if (options.help) {
        std::fputs(BatchUsage().c_str(), stdout);
        return kExitDone;
    }
    zelm::framework::ApplicationScope app(argc, argv);
    return RunBatch(options);
}

// The dialog in its start-up state, drawn into a PNG file (offscreen without a display).
int SaveScreenshot(int argc, char** argv, const char* path)
{
    if (!*path) {
        std::fprintf(stderr, "scrivane: --screenshot needs a file name\n");
        return kExitUsage;
    }
    zelm::framework::ApplicationScope app(argc, argv, true);
    CScrivaneDlg dialog;
    // A picture of the dialog shows the stored settings; it neither creates nor rewrites them.
    dialog.KeepStoreUntouched();
    if (!dialog.Create(CScrivaneDlg::IDD)) {
        std::fprintf(stderr, "scrivane: the dialog could not be created\n");
        return kExitFailed;
    }
    bool saved = zelm::framework::SaveWindowImage(dialog, path);
    dialog.DestroyWindow();
    if (!saved) {
        std::fprintf(stderr, "scrivane: cannot write %s\n", path);
        return kExitFailed;
    }
    std::printf("The dialog is in %s\n", path);
    return kExitDone;
}

}  // namespace

int ScrivaneMain(int argc, char** argv)
{
    if (ArgumentAfter(argc, argv, "--batch")) return RunBatchMode(argc, argv);
    if (const char* path = ArgumentAfter(argc, argv, "--screenshot")) return SaveScreenshot(argc, argv, path);
    if (ArgumentAfter(argc, argv, "--help") || ArgumentAfter(argc, argv, "-h")) {
        std::fputs(BatchUsage().c_str(), stdout);
        return kExitDone;
    }
    if (argc > 1) {
        std::fprintf(stderr, "scrivane: unknown argument '%s'\nTry 'scrivane --help' for more.\n", argv[1]);
        return kExitUsage;
    }
    if (!zelm::framework::DisplayAvailable()) {
        std::fprintf(stderr,
                     "scrivane: no display to open the dialog on (DISPLAY is not set).\n"
                     "To convert a file without the dialog: scrivane --batch INPUT [options]\n");
        return kExitNoDisplay;
    }
    return AfxWinMain(argc, argv);
}
