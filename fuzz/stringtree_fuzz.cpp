// Random files through the string-tree reader: every node it keeps has a level 1 to 9, a
// name and data without surrounding white space and without comments, and the user is
// asked about no more lines than the file has. The answer alternates with the input so
// that both going on and stopping are covered.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "framework/ui/MessageBox.h"
#include "zelmtools/dialogs/StringTreeData.h"

namespace {

void Check(bool condition)
{
    if (!condition) std::abort();
}

bool Trimmed(const std::string& text)
{
    constexpr std::string_view kWhite = " \t\n\r\v\f";
    return text.empty() ||
           (kWhite.find(text.front()) == std::string_view::npos && kWhite.find(text.back()) == std::string_view::npos);
}

// A data test that rejects values ending in '!', without saying why every other time.
class BangTest : public CStringTreeDataTestAbs {
public:
    int TestData(const char* pszData) override
    {
        std::string data(pszData);
        if (data.empty() || data.back() != '!') return TRUE;
        if (++m_nRejected % 2) SetLastError("rejected");
        return FALSE;
    }

private:
    int m_nRejected = 0;
};

std::string WriteInput(const uint8_t* data, size_t size)
{
    char path[] = "/tmp/stringtree-fuzz-XXXXXX";
    const int fd = mkstemp(path);
    Check(fd >= 0);
    for (size_t done = 0; done < size;) {
        const ssize_t written = write(fd, data + done, size - done);
        Check(written > 0);
        done += static_cast<size_t>(written);
    }
    close(fd);
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = WriteInput(data, size);
    std::size_t lines = 1, asked = 0;
    for (size_t i = 0; i < size; ++i) lines += data[i] == '\n';
    const int answer = size > 0 && (data[0] & 1) ? IDNO : IDYES;
    zelm::framework::SetMessageBoxHandler([&](const zelm::framework::MessageBoxRequest& request) {
        Check(request.text != nullptr);
        ++asked;
        return answer;
    });

    CStringTree tree;
    BangTest test;
    Check(tree.LoadFromFile(path.c_str(), size > 1 && (data[1] & 1) ? &test : nullptr) == TRUE);
    Check(asked <= lines);
    if (answer == IDNO) Check(asked <= 1);
    for (INT_PTR i = 0; i < tree.m_Nodes.GetSize(); ++i) {
        const auto& node = tree.m_Nodes[i];
        Check(node.m_nLevel >= 1 && node.m_nLevel <= 9);
        Check(!node.m_strName.IsEmpty() && Trimmed(node.m_strName.str()) && Trimmed(node.m_strData.str()));
        Check(node.m_strName.Find("//") < 0 && node.m_strData.Find("//") < 0);
    }
    zelm::framework::SetMessageBoxHandler(nullptr);
    std::remove(path.c_str());
    return 0;
}
