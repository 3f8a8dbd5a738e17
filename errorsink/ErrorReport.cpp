#include "ErrorReport.h"

#include <zelmtools/platform/kernel/text_conversion.h>

#include "framework/ui/MessageBox.h"

namespace zelm::errorsink {

namespace {

std::string Narrow(const std::u16string& text)
{
    if (text.empty()) return {};
    int length = static_cast<int>(text.size());
    std::string narrow(3 * text.size(), '\0');
    int written = WideCharToMultiByte(CP_ACP, 0, text.c_str(), length, narrow.data(), static_cast<int>(narrow.size()),
                                      nullptr, nullptr);
    narrow.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return narrow;
}

// The system texts end with a line break of their own.
std::string WithoutFinalBreak(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

std::string Describe(const Record& r)
{
    // Field order: name, build, file, date, time, text, help file.
    std::string line = Narrow(r.texts[0]) + " " + Narrow(r.texts[1]) + " (" + std::to_string(r.subSystemId) + "), " +
                       Narrow(r.texts[2]) + ":" + std::to_string(static_cast<std::int32_t>(r.line)) + " [" +
                       Narrow(r.texts[3]) + " " + Narrow(r.texts[4]) + "]: #" +
                       std::to_string(static_cast<std::uint32_t>(r.errorId)) + " " +
                       WithoutFinalBreak(Narrow(r.texts[5]));
    if (!r.texts[6].empty())
        line += " (help: " + Narrow(r.texts[6]) + " " + std::to_string(static_cast<std::int32_t>(r.helpParam)) + "/" +
                std::to_string(static_cast<std::uint32_t>(r.helpContext)) + ")";
    return line;
}

}  // namespace

std::string DescribeRecords(const std::vector<Record>& records)
{
    std::string text;
    for (auto record = records.rbegin(); record != records.rend(); ++record) {
        if (!text.empty()) text += "\n";
        text += Describe(*record);
    }
    return text;
}

void ShowRecords(const std::vector<Record>& records)
{
    if (records.empty()) return;
    AfxMessageBox(DescribeRecords(records).c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace zelm::errorsink
