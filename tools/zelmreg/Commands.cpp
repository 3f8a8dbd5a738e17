#include "Commands.h"

#include "KeyPath.h"
#include "RegFile.h"
#include "RegFormat.h"
#include "RegistryAccess.h"
#include "ToolError.h"
#include "ValueText.h"

namespace zelmreg {

namespace {

const char kUsage[] = R"(Usage: zelmreg COMMAND ARGUMENTS
Looks at and changes the registry store of zelmTools programs.

  zelmreg query KEY [VALUE]            show a key's values and sub-keys, or one value
  zelmreg set KEY VALUE TYPE [DATA...]  write a value, creating the key if needed
  zelmreg delete KEY [VALUE]           delete a key with all its sub-keys, or one value
  zelmreg export KEY FILE              write a key and its sub-keys to a .reg file
  zelmreg import FILE                  apply a .reg file (5.00 or REGEDIT4, UTF-16 or UTF-8)
  zelmreg --help                       show this text

KEY is a root key and a path: HKEY_CURRENT_USER\Software\X, or with the short roots
HKCR, HKCU, HKLM, HKU and HKCC. VALUE "" is the key's default value.

TYPE and DATA of set:
  sz TEXT            text (stored without a terminating zero)
  expand_sz TEXT     text with %VARIABLES%
  multi_sz TEXT...   a list of texts, one argument each
  dword NUMBER       32-bit number, decimal or 0x hex
  qword NUMBER       64-bit number
  binary HEX         bytes, like 05000000 or 05,00,00,00
  none HEX           bytes of type REG_NONE
  hex(N) HEX         bytes of type N (hex), as in .reg files

The store is $ZELM_REGISTRY if set, else $XDG_CONFIG_HOME/zelmtools/registry.db
(~/.config/zelmtools/registry.db).

Exit status: 0 done, 1 failure, 2 wrong arguments.
)";

KeyPath KeyArgument(const std::string& text)
{
    KeyPath path;
    if (!ParseKeyPath(text, path))
        UsageError("\"" + text + "\" does not start with a root key (HKEY_CURRENT_USER or HKCU, ...)");
    return path;
}

void RequireArguments(const std::vector<std::string>& args, std::size_t least, std::size_t most)
{
    std::size_t given = args.size() - 1;
    if (given < least || given > most) UsageError("wrong number of arguments for " + args[0]);
}

std::string ValueLine(const Value& value)
{
    return "    " + (value.name.empty() ? std::string("(Default)") : value.name) + "    " + TypeName(value.type) +
           "    " + DisplayData(value) + "\n";
}

int Query(const std::vector<std::string>& args, std::ostream& out)
{
    RequireArguments(args, 1, 2);
    KeyPath path = KeyArgument(args[1]);
    OpenedKey key = OpenedKey::Open(path);
    if (args.size() == 3) {
        out << ValueLine(key.Read(args[2]));
        return 0;
    }
    out << path.Full() << "\n";
    for (const auto& value : key.Values()) out << ValueLine(value);
    for (const auto& name : key.SubKeyNames()) out << path.Child(name).Full() << "\n";
    return 0;
}

int Set(const std::vector<std::string>& args, std::ostream&)
{
    if (args.size() < 4) UsageError("set needs KEY VALUE TYPE [DATA...]");
    KeyPath path = KeyArgument(args[1]);
    Value value = ValueFromArguments(args[2], args[3], std::vector<std::string>(args.begin() + 4, args.end()));
    OpenedKey::Create(path).Write(value);
    return 0;
}

int Delete(const std::vector<std::string>& args, std::ostream&)
{
    RequireArguments(args, 1, 2);
    KeyPath path = KeyArgument(args[1]);
    if (args.size() == 2) {
        if (!DeleteTree(path)) Failure("cannot delete key " + path.Full() + ": it does not exist");
    } else if (!OpenedKey::Open(path).DeleteValue(args[2])) {
        Failure("cannot delete value \"" + args[2] + "\" of " + path.Full() + ": it does not exist");
    }
    return 0;
}

void ExportKey(const KeyPath& path, RegWriter& writer)
{
    OpenedKey key = OpenedKey::Open(path);
    writer.BeginKey(path.Full());
    for (const auto& value : key.Values()) writer.AddValue(value);
    for (const auto& name : key.SubKeyNames()) ExportKey(path.Child(name), writer);
}

int Export(const std::vector<std::string>& args, std::ostream&)
{
    RequireArguments(args, 2, 2);
    RegWriter writer;
    ExportKey(KeyArgument(args[1]), writer);  // all read before the file is touched
    WriteRegFile(args[2], writer.Text());
    return 0;
}

void ImportSection(const RegSection& section)
{
    if (section.deleteKey) {
        DeleteTree(section.key);
        return;
    }
    OpenedKey key = OpenedKey::Create(section.key);
    for (const auto& entry : section.entries) {
        if (entry.deleteValue)
            key.DeleteValue(entry.value.name);
        else
            key.Write(entry.value);
    }
}

int Import(const std::vector<std::string>& args, std::ostream& out)
{
    RequireArguments(args, 1, 1);
    std::vector<RegSection> sections = ParseRegText(ReadRegFile(args[1]), args[1]);
    std::size_t values = 0;
    for (const auto& section : sections) {
        ImportSection(section);
        values += section.entries.size();
    }
    out << "imported " << sections.size() << " keys and " << values << " values from " << args[1] << "\n";
    return 0;
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out)
{
    if (args.empty()) UsageError("no command given");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        out << kUsage;
        return 0;
    }
    if (command == "query") return Query(args, out);
    if (command == "set") return Set(args, out);
    if (command == "delete") return Delete(args, out);
    if (command == "export") return Export(args, out);
    if (command == "import") return Import(args, out);
    UsageError("unknown command \"" + command + "\"");
}

}  // namespace zelmreg
