#include <string>

#include "framework/files/CFile.h"
#include "zelmtools/process/ProcessList.h"

namespace zelm::tools {
namespace {

std::string ReadAll(CFile& file)
{
    std::string text;
    char buffer[4096];
    try {
        for (UINT n; (n = file.Read(buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    } catch (CException* e) {
        e->Delete();
    }
    return text;
}

}  // namespace

bool ReadProcessList(const CString& fileName, CProcessArray& list)
{
    CFile file;
    if (!file.Open(fileName, CFile::modeRead | CFile::shareDenyNone | CFile::typeText)) return false;
    ParseProcessList(ReadAll(file), list);
    file.Abort();
    return true;
}

}  // namespace zelm::tools
