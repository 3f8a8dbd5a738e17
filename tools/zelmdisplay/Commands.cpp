#include "Commands.h"

#include <memory>

#include <zelmtools/display/DisplayLayout.h>
#include <zelmtools/display/DisplayMode.h>
#include <zelmtools/platform/base/errors.h>
#include <zelmtools/registry/RegItem.h>

#include "KeyPath.h"
#include "Listing.h"
#include "ToolError.h"

namespace zelmdisplay {

namespace {

const char kUsage[] = R"(Usage: zelmdisplay COMMAND [ARGUMENTS]
Shows the display adapters as zelmTools sees them, and keeps modes and layouts in the
registry store.

  zelmdisplay list [--modes]           adapters, their monitors and current modes (--modes:
                                       every mode an adapter offers)
  zelmdisplay save KEY [--device NAME] [--only LIST]
                                       store the adapter's current mode in KEY ("W", "H",
                                       "BPP", "F", "Device"); LIST names the values kept,
                                       of width,height,depth,refresh (others are stored as 0)
  zelmdisplay save KEY [--device NAME] --mode W H BPP F
                                       store these numbers instead (0: keep the current one)
  zelmdisplay load KEY [--device NAME] switch the adapter stored in KEY to the stored mode;
                                       NAME: the adapter whose current mode is the base
  zelmdisplay snapshot KEY             store the layout of every adapter in KEY
  zelmdisplay check KEY                compare the layout with the snapshot in KEY
  zelmdisplay --help                   show this text

KEY is a root key and a path, as zelmreg takes them: HKCU\Software\X. NAME is an
adapter's device name as list shows it (\\.\DISPLAY1, the default).

The displays are those of the X server that DISPLAY names (RandR outputs).
Exit status: 0 done (check: unchanged), 1 failure, 2 wrong arguments, 3 check: changed.
)";

const char kDefaultAdapter[] = "\\\\.\\DISPLAY1";

struct Options {
    std::vector<std::string> positional;
    std::string device;
    std::string only = "width,height,depth,refresh";
    std::vector<DWORD> mode;  // --mode W H BPP F
    bool modes = false;
};

DWORD Number(const std::string& text)
{
    std::size_t used = 0;
    unsigned long value = 0;
    try {
        value = std::stoul(text, &used, 10);
    } catch (...) {
        used = 0;
    }
    if (used != text.size() || text.empty() || text[0] == '-' || value > 0xFFFFFFFFul)
        UsageError("\"" + text + "\" is not a number from 0 to 4294967295");
    return static_cast<DWORD>(value);
}

Options Parse(const std::vector<std::string>& args)
{
    Options options;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto next = [&]() -> const std::string& {
            if (i + 1 >= args.size()) UsageError(arg + " needs a value");
            return args[++i];
        };
        if (arg == "--device") {
            options.device = next();
        } else if (arg == "--only") {
            options.only = next();
        } else if (arg == "--modes") {
            options.modes = true;
        } else if (arg == "--mode") {
            for (int n = 0; n < 4; ++n) options.mode.push_back(Number(next()));
        } else if (arg.size() > 1 && arg[0] == '-') {
            UsageError("unknown option " + arg);
        } else {
            options.positional.push_back(arg);
        }
    }
    return options;
}

void RequirePositional(const std::string& command, const Options& options, std::size_t count)
{
    if (options.positional.size() != count) UsageError("wrong number of arguments for " + command);
}

// The key named on the command line, open; `mustExist` refuses to create it.
std::unique_ptr<CRegItem> OpenKey(const std::string& text, bool mustExist)
{
    zelmreg::KeyPath path;
    if (!zelmreg::ParseKeyPath(text, path))
        UsageError("\"" + text + "\" does not start with a root key (HKEY_CURRENT_USER or HKCU, ...)");
    if (path.subKey.empty()) UsageError("KEY must name a key below " + path.rootName);
    if (mustExist) {
        HKEY probe = nullptr;
        if (RegOpenKeyExA(path.root, path.subKey.c_str(), 0, KEY_READ, &probe) != ERROR_SUCCESS)
            Failure("key " + path.Full() + " does not exist");
        RegCloseKey(probe);
    }
    auto key = std::make_unique<CRegItem>(path.root, path.subKey.c_str());
    if (!key->CreateKey(nullptr))
        Failure("cannot open key " + path.Full() + " (error " + std::to_string(static_cast<long>(GetLastError())) +
                ")");
    return key;
}

bool Wants(const std::string& list, const char* field)
{
    std::string padded = "," + list + ",";
    return padded.find(std::string(",") + field + ",") != std::string::npos;
}

void CheckOnlyList(const std::string& list)
{
    std::size_t begin = 0;
    while (begin <= list.size()) {
        std::size_t end = list.find(',', begin);
        std::string field = list.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
        if (field != "width" && field != "height" && field != "depth" && field != "refresh")
            UsageError("--only takes width, height, depth and refresh, not \"" + field + "\"");
        if (end == std::string::npos) break;
        begin = end + 1;
    }
}

int List(const Options& options, std::ostream& out)
{
    if (options.positional.size() != 1) UsageError("list takes no arguments besides --modes");
    if (!ListAdapters(out, options.modes))
        Failure("no display adapters: DISPLAY does not name an X server with RandR that accepts us");
    return 0;
}

CDisplayMode ModeFor(const std::string& device)
{
    CDisplayMode mode;
    mode.SetDeviceName(device.empty() ? kDefaultAdapter : device.c_str());
    return mode;
}

int Save(const Options& options, std::ostream& out)
{
    RequirePositional("save", options, 2);
    CheckOnlyList(options.only);
    CDisplayMode mode = ModeFor(options.device);
    DEVMODEA current{};
    if (options.mode.empty() && !mode.FillDevMode(&current))
        Failure(std::string("adapter ") + mode.GetDeviceName() + " is not on the desktop (see zelmdisplay list)");
    auto key = OpenKey(options.positional[1], false);
    int saved = options.mode.empty()
                    ? mode.Save(key.get(), int(Wants(options.only, "width")), int(Wants(options.only, "height")),
                                int(Wants(options.only, "depth")), int(Wants(options.only, "refresh")))
                    : mode.Save(key.get(), options.mode[0], options.mode[1], options.mode[2], options.mode[3]);
    if (!saved) Failure("cannot write the values into " + options.positional[1]);
    out << "stored the mode of " << mode.GetDeviceName() << " in " << options.positional[1] << "\n";
    return 0;
}

int Load(const Options& options, std::ostream& out)
{
    RequirePositional("load", options, 2);
    auto key = OpenKey(options.positional[1], true);
    CString stored;
    if (!key->QueryValue("Device", &stored)) Failure(options.positional[1] + " holds no \"Device\" value");
    // The stored adapter's own mode is the base unless --device names another.
    CDisplayMode mode = ModeFor(options.device.empty() ? std::string(stored.GetString()) : options.device);
    std::string base = mode.GetDeviceName();
    if (!mode.Load(key.get()))
        Failure("the stored mode cannot be applied to " + std::string(mode.GetDeviceName()) +
                " (no such adapter or mode, from the current mode of " + base + ")");
    DEVMODEA now{};
    mode.FillDevMode(&now);
    out << mode.GetDeviceName() << " is now " << now.dmPelsWidth << "x" << now.dmPelsHeight << ", " << now.dmBitsPerPel
        << " bits, " << now.dmDisplayFrequency << " Hz\n";
    return 0;
}

std::string ResultText(LONG result)
{
    switch (static_cast<std::int32_t>(result)) {
        case -1: return "the display device enumeration is not available";
        case -2: return "the current mode of an adapter on the desktop cannot be read";
        case -3: return "no display adapters: DISPLAY does not name an X server with RandR that accepts us";
        case -4: return "the key holds no complete layout snapshot (see zelmdisplay snapshot)";
        default: return "failed with " + std::to_string(static_cast<std::int32_t>(result));
    }
}

int Snapshot(const Options& options, std::ostream& out)
{
    RequirePositional("snapshot", options, 2);
    auto key = OpenKey(options.positional[1], false);
    if (LONG result = CDisplayLayout().Save(key.get()); result != 0) Failure(ResultText(result));
    out << "stored the layout in " << options.positional[1] << "\n";
    return 0;
}

int Check(const Options& options, std::ostream& out)
{
    RequirePositional("check", options, 2);
    auto key = OpenKey(options.positional[1], true);
    DWORD changes = 0;
    if (LONG result = CDisplayLayout().CheckUp(key.get(), &changes); result != 0) Failure(ResultText(result));
    if (changes == 0) {
        out << "unchanged\n";
        return 0;
    }
    const std::pair<DWORD, const char*> names[] = {
        {DISPLAY_LAYOUT_COUNT, "adapter count"},
        {DISPLAY_LAYOUT_STATE_FLAGS, "state flags"},
        {DISPLAY_LAYOUT_DEVICE_NAME, "device name"},
        {DISPLAY_LAYOUT_DEVICE_ID, "device id"},
        {DISPLAY_LAYOUT_SIZE, "size"},
        {DISPLAY_LAYOUT_DEPTH, "colour depth"},
        {DISPLAY_LAYOUT_FREQUENCY, "refresh rate"},
        {DISPLAY_LAYOUT_POSITION, "position"},
    };
    out << "changed (" << static_cast<std::uint32_t>(changes) << "):";
    for (const auto& [bit, name] : names)
        if (changes & bit) out << " " << name << " (" << static_cast<std::uint32_t>(bit) << ")";
    out << "\n";
    return kExitChanged;
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out)
{
    if (args.empty()) UsageError("no command given");
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << kUsage;
        return 0;
    }
    Options options = Parse(args);
    options.positional.insert(options.positional.begin(), args[0]);
    if (args[0] == "list") return List(options, out);
    if (args[0] == "save") return Save(options, out);
    if (args[0] == "load") return Load(options, out);
    if (args[0] == "snapshot") return Snapshot(options, out);
    if (args[0] == "check") return Check(options, out);
    UsageError("unknown command \"" + args[0] + "\"");
}

}  // namespace zelmdisplay
