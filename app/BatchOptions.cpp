#include "app/BatchOptions.h"

#include <charconv>
#include <optional>
#include <string_view>
#include <utility>

namespace {

constexpr int kMaxDelSize = 30;
constexpr int kMaxSizePx = 1000;

bool ParseInt(std::string_view text, int low, int high, int& value)
{
    int parsed = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size() || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

bool ParseEncoding(std::string_view text, TextEncoding& encoding)
{
    if (text == "auto")
        encoding = TextEncoding::Auto;
    else if (text == "utf-8" || text == "utf8")
        encoding = TextEncoding::Utf8;
    else if (text == "cp1251" || text == "windows-1251")
        encoding = TextEncoding::Windows1251;
    else
        return false;
    return true;
}

// Walks the arguments, splitting "--name=value" and fetching a separate value where
// an option takes one.
class ArgumentReader {
public:
    ArgumentReader(int argc, char** argv) : m_argc(argc), m_argv(argv) {}

    // After "--" every argument is a name as it stands.
    bool Next(std::string& name, bool optionsEnded)
    {
        if (m_index >= m_argc) return false;
        std::string_view arg = m_argv[m_index++];
        auto equals = arg.find('=');
        m_inlineValue.reset();
        if (!optionsEnded && arg.starts_with("--") && equals != std::string_view::npos) {
            m_inlineValue = std::string(arg.substr(equals + 1));
            arg = arg.substr(0, equals);
        }
        name = arg;
        return true;
    }

    std::optional<std::string> Value()
    {
        if (m_inlineValue) return std::exchange(m_inlineValue, std::nullopt);
        if (m_index >= m_argc) return std::nullopt;
        return std::string(m_argv[m_index++]);
    }

    bool HasInlineValue() const { return m_inlineValue.has_value(); }

private:
    int m_argc;
    char** m_argv;
    int m_index = 0;
    std::optional<std::string> m_inlineValue;
};

std::optional<std::string> ApplyValueOption(const std::string& name, const std::string& value, BatchOptions& options)
{
    if (name == "-o" || name == "--output") {
        if (value.empty()) return "the output folder is empty";
        options.outputFolder = value;
    } else if (name == "-f" || name == "--font") {
        if (value.empty()) return "the font family is empty";
        options.fontFamily = value;
    } else if (name == "-s" || name == "--size") {
        if (!ParseInt(value, 1, kMaxSizePx, options.sizePx))
            return "--size must be a whole number of pixels from 1 to " + std::to_string(kMaxSizePx) + ", not '" +
                   value + "'";
    } else if (name == "-d" || name == "--delsize") {
        options.delSizeGiven = true;
        if (!ParseInt(value, 0, kMaxDelSize, options.delSize))
            return "--delsize must be a whole number from 0 to " + std::to_string(kMaxDelSize) + ", not '" + value +
                   "'";
    } else if (name == "--encoding") {
        if (!ParseEncoding(value, options.encoding))
            return "--encoding must be auto, utf-8 or cp1251, not '" + value + "'";
    }
    return std::nullopt;
}

bool TakesValue(const std::string& name)
{
    for (const char* option : {"-o", "--output", "-f", "--font", "-s", "--size", "-d", "--delsize", "--encoding"})
        if (name == option) return true;
    return false;
}

std::optional<std::string> ApplyFlag(const std::string& name, BatchOptions& options)
{
    if (name == "--bold")
        options.bold = true;
    else if (name == "--italic")
        options.italic = true;
    else if (name == "--regular")
        options.bold = options.italic = false;
    else if (name == "--no-underline")
        options.noUnderline = true;
    else if (name == "-q" || name == "--quiet")
        options.quiet = true;
    else if (name == "-h" || name == "--help")
        options.help = true;
    else if (name != "--batch")
        return "unknown option '" + name + "'";
    return std::nullopt;
}

}  // namespace

std::optional<std::string> ParseBatchOptions(int argc, char** argv, BatchOptions& options)
{
    ArgumentReader reader(argc, argv);
    std::string name;
    bool inputSeen = false;
    bool optionsEnded = false;
    while (reader.Next(name, optionsEnded)) {
        if (!optionsEnded && name == "--") {
            optionsEnded = true;
        } else if (optionsEnded) {
            if (inputSeen) return "only one input file can be given ('" + name + "' is a second one)";
            options.inputFile = name;
            inputSeen = true;
        } else if (TakesValue(name)) {
            auto value = reader.Value();
            if (!value) return "option '" + name + "' needs a value";
            if (auto error = ApplyValueOption(name, *value, options)) return error;
        } else if (name.size() > 1 && name[0] == '-') {
            if (reader.HasInlineValue()) return "option '" + name + "' takes no value";
            if (auto error = ApplyFlag(name, options)) return error;
        } else {
            if (inputSeen) return "only one input file can be given ('" + name + "' is a second one)";
            options.inputFile = name;
            inputSeen = true;
        }
    }
    if (!inputSeen && !options.help) return "no input file given";
    if (!options.outputFolder.empty() && options.outputFolder.back() != '/') options.outputFolder += '/';
    return std::nullopt;
}

std::string BatchUsage()
{
    return R"(usage: scrivane                         open the dialog
       scrivane --batch INPUT [options]   convert INPUT without the dialog
       scrivane --screenshot FILE.png     save a picture of the dialog
Turns the text file INPUT into numbered 128 x 116 bitmap pages T0000.bmp, T0001.bmp, ...
INPUT "-" is the standard input; pipes and FIFOs are read as well.

Options of --batch (the font, its style and DelSize default to what the dialog
last saved; without saved settings, to the values in brackets):

  -o, --output DIR     output folder, which must exist; a "/" is added when
                       missing (default: the system temporary folder)
  -f, --font FAMILY    font family [DejaVu Sans]; a family that is not installed
                       is replaced, with a warning
  -s, --size PX        character height in pixels [12]
      --bold, --italic, --regular (neither bold nor italic)
      --no-underline
  -d, --delsize N      pixels by which the line pitch is shorter than the line
                       height, 0 to 30 [3]; the pitch must stay 1 pixel or more
      --encoding auto|utf-8|cp1251
                       how the input is read (default auto: a UTF-16 or UTF-8
                       byte-order mark decides, else UTF-8 when the whole input
                       is valid UTF-8, otherwise Windows-1251)
  -q, --quiet          no progress bar
  -h, --help           this help
  --                   what follows is the input, even if it starts with "-"

Exit codes: 0 done, 1 the input cannot be read or a page cannot be written,
2 usage error (also a font and DelSize that cannot make pages), 130 stopped by
Ctrl+C, 143 by SIGTERM, 129 by SIGHUP (the page being made is still written).
)";
}
