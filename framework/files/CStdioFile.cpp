#include "framework/files/CStdioFile.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

constexpr std::size_t kChunk = 512;

void DropCarriageReturn(std::string& line, bool ended)
{
    if (ended && !line.empty() && line.back() == '\r') line.pop_back();
}

}  // namespace

bool CStdioFile::ReadLine(std::string& line, std::size_t limit, bool& ended)
{
    ended = false;
    line.clear();
    char chunk[kChunk];
    bool readAny = false;
    while (line.size() < limit) {
        UINT got = Read(chunk, static_cast<UINT>(std::min(kChunk, limit - line.size())));
        if (got == 0) break;
        readAny = true;
        const char* newline = static_cast<const char*>(std::memchr(chunk, '\n', got));
        if (newline == nullptr) {
            line.append(chunk, got);
            continue;
        }
        auto used = static_cast<UINT>(newline - chunk);
        line.append(chunk, used);
        ended = true;
        if (UINT unread = got - used - 1; unread > 0) Seek(-static_cast<LONGLONG>(unread), current);
        break;
    }
    return readAny;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    std::string line;
    bool ended = false;
    if (!ReadLine(line, std::numeric_limits<std::size_t>::max(), ended)) {
        rString.Empty();
        return FALSE;
    }
    DropCarriageReturn(line, ended);
    rString = CString(std::move(line));
    return TRUE;
}

LPSTR CStdioFile::ReadString(LPSTR lpsz, UINT nMax)
{
    if (lpsz == nullptr || nMax < 2) return nullptr;
    std::string line;
    bool ended = false;
    // The "\n" counts toward the limit, so the text never outgrows the buffer.
    if (!ReadLine(line, nMax - 1, ended)) return nullptr;
    DropCarriageReturn(line, ended);
    if (ended) line += '\n';
    std::memcpy(lpsz, line.c_str(), line.size() + 1);
    return lpsz;
}

void CStdioFile::WriteString(LPCSTR lpsz)
{
    if (lpsz != nullptr) Write(lpsz, static_cast<UINT>(std::strlen(lpsz)));
}
