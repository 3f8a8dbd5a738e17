#include "Commands.h"

#include <strings.h>

#include <charconv>

#include <zelmtools/audio/Mixer.h>

#include "MixerListing.h"
#include "ToolError.h"

namespace zelmmixer {

namespace {

const char kHelp[] =
    "Usage: zelmmixer COMMAND [ARGUMENTS]\n"
    "The system's audio mixer: its devices, the master level and the recording source.\n"
    "\n"
    "Commands:\n"
    "  list                 every device with its lines, their controls and values\n"
    "                       (levels 0-65535, balance -32768..32767, mute on/off,\n"
    "                       the selected recording source marked with *)\n"
    "  get                  the master level (its louder channel)\n"
    "  set LEVEL [RIGHT]    sets the master level (0-65535) of both channels, or\n"
    "                       LEVEL on the left and RIGHT on the right; unmutes\n"
    "  record-source NAME   records from the source NAME (as 'list' shows it)\n"
    "  -h, --help           this help\n"
    "\n"
    "get, set and record-source work on mixer device 0.\n"
    "Exit codes: 0 done, 1 no mixer or the mixer refused, 2 usage error.\n";

void ExpectArguments(const std::vector<std::string>& args, std::size_t least, std::size_t most)
{
    if (args.size() - 1 < least) UsageError("'" + args[0] + "' needs more arguments");
    if (args.size() - 1 > most) UsageError("too many arguments for '" + args[0] + "'");
}

int ParseLevel(const std::string& text)
{
    int level = -1;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), level);
    if (error != std::errc() || end != text.data() + text.size() || level < 0 || level > 65535)
        UsageError("'" + text + "' is not a level from 0 to 65535");
    return level;
}

CMixer OpenMixer()
{
    CMixer mixer;
    if (CMixer::GetDeviceNum() == 0) Failure("there is no mixer device");
    if (!mixer.Create(0)) Failure("mixer device 0 cannot be opened");
    return mixer;
}

int Get(std::ostream& out)
{
    CMixer mixer = OpenMixer();
    int level = -1;
    if (!mixer.GetGlobalPlayLevel(&level)) Failure("the master level cannot be read");
    if (level < 0) Failure("the mixer has no master level");
    out << level << "\n";
    return 0;
}

int Set(const std::vector<std::string>& args)
{
    int left = ParseLevel(args[1]);
    int right = args.size() > 2 ? ParseLevel(args[2]) : left;
    CMixer mixer = OpenMixer();
    if (!mixer.SetGlobalPlayLevel(left, right)) Failure("the master level cannot be set");
    return 0;
}

int RecordSource(const std::string& name)
{
    CMixer mixer = OpenMixer();
    CArray<tagsrcLineInfo, tagsrcLineInfo&> sources;
    if (!mixer.FillRecSrcLinesArray(&sources)) Failure("the mixer has no recording source choice");
    std::string names;
    for (INT_PTR i = 0; i < sources.GetSize(); ++i) {
        if (strcasecmp(sources[i].strName, name.c_str()) == 0) {
            if (!mixer.SelectRecordSrc(sources[i].dwLineID, 1)) Failure("the mixer refused '" + name + "'");
            return 0;
        }
        names += (names.empty() ? "" : ", ") + std::string(sources[i].strName);
    }
    Failure("no recording source '" + name + "' (there are: " + names + ")");
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out)
{
    if (args.empty()) UsageError("no command given");
    const std::string& command = args[0];
    if (command == "-h" || command == "--help") {
        out << kHelp;
        return 0;
    }
    if (command == "list") {
        ExpectArguments(args, 0, 0);
        if (ListMixers(out) == 0) Failure("there is no mixer device");
        return 0;
    }
    if (command == "get") {
        ExpectArguments(args, 0, 0);
        return Get(out);
    }
    if (command == "set") {
        ExpectArguments(args, 1, 2);
        return Set(args);
    }
    if (command == "record-source") {
        ExpectArguments(args, 1, 1);
        return RecordSource(args[1]);
    }
    UsageError("unknown command '" + command + "'");
}

}  // namespace zelmmixer
