// zelmfolder [--title TEXT] [--screenshot FILE.png] [FOLDER]
// Opens the library's folder browser on FOLDER (right-click: create or delete a folder)
// and prints the folder chosen; with --screenshot, saves a picture of the browser instead.

#include <cstdio>
#include <cstring>
#include <string>

#include <zelmtools/dialogs/FolderDialog.h>

#include "framework/app/ApplicationScope.h"
#include "framework/windows/WindowImage.h"

namespace {

constexpr int kExitChosen = 0;
constexpr int kExitCancelled = 1;
constexpr int kExitUsage = 2;
constexpr int kExitFailed = 3;
// Long enough for the folder tree to be read and drawn.
constexpr int kScreenshotSettleMs = 800;

constexpr char kUsage[] =
    "Usage: zelmfolder [--title TEXT] [--screenshot FILE.png] [FOLDER]\n"
    "Opens the folder browser on FOLDER (default: the working folder) and prints the\n"
    "folder chosen. A right-click in the browser creates a folder inside the selected\n"
    "one or deletes the selected one.\n"
    "  --title TEXT          the text above the folder tree\n"
    "  --screenshot FILE     save a picture of the browser as PNG (offscreen without a\n"
    "                        display) instead of waiting for a choice\n"
    "  -h, --help            this help\n"
    "Exit codes: 0 a folder was chosen, 1 cancelled, 2 usage, 3 the picture was not written.\n";

struct Options {
    std::string title = "Выберите папку:";
    std::string folder;
    const char* screenshot = nullptr;
    bool help = false;
};

bool Parse(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0)
            options.help = true;
        else if (std::strcmp(arg, "--title") == 0 && hasValue)
            options.title = argv[++i];
        else if (std::strcmp(arg, "--screenshot") == 0 && hasValue)
            options.screenshot = argv[++i];
        else if (arg[0] == '-' || !options.folder.empty()) {
            std::fprintf(stderr, "zelmfolder: unexpected argument '%s'\n%s", arg, kUsage);
            return false;
        } else
            options.folder = arg;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!Parse(argc, argv, options)) return kExitUsage;
    if (options.help) {
        std::fputs(kUsage, stdout);
        return kExitChosen;
    }
    if (!options.screenshot && !zelm::framework::DisplayAvailable()) {
        std::fprintf(stderr, "zelmfolder: no display to open the browser on (DISPLAY is not set)\n");
        return kExitUsage;
    }
    zelm::framework::ApplicationScope app(argc, argv, true);
    if (options.folder.empty()) {
        char* working = get_current_dir_name();
        options.folder = working ? working : "/";
        std::free(working);
    }
    bool saved = false;
    if (options.screenshot)
        zelm::framework::SaveNextModalDialogImage(options.screenshot, kScreenshotSettleMs,
                                                  [&saved](bool ok) { saved = ok; });
    CString folder(options.folder.c_str());
    const int chosen = SelectFolderDlg(nullptr, folder, options.title.c_str());
    if (options.screenshot) {
        if (!saved) {
            std::fprintf(stderr, "zelmfolder: cannot write %s\n", options.screenshot);
            return kExitFailed;
        }
        std::printf("The folder browser is in %s\n", options.screenshot);
        return kExitChosen;
    }
    if (!chosen) return kExitCancelled;
    std::printf("%s\n", folder.GetString());
    return kExitChosen;
}
