// Reading the string tree's file: one node per line, with the user asked about every
// line that is no node.
#include <new>

#include "framework/files/CStdioFile.h"
#include "framework/ui/MessageBox.h"
#include "zelmtools/dialogs/StringTreeData.h"

namespace {

constexpr char kUnknownError[] = "Неизвестная ошибка";
constexpr char kBadLevel[] = "Неверный номер уровня.";
constexpr char kNoName[] = "Отсутствует название вершины.";
constexpr char kBadLineFormat[] =
    "Ошибка %s\n"
    "Строка %d, файл %s.\n"
    "Продолжать чтение файла?\n"
    "\n"
    "\"%s\"\n"
    "Level = %d\n"
    "Name=\"%s\"\n"
    "Data=\"%s\"";

void ReportError(CStringTreeDataTestAbs* pTest, const char* text)
{
    if (pTest) pTest->SetLastError(text);
}

// The line without its comment and leading white space.
CString NodeText(const CString& line)
{
    CString text = line;
    text.TrimLeft();
    const int comment = text.Find("//");
    return comment >= 0 ? text.Left(comment) : text;
}

}  // namespace

CStringTree::~CStringTree() = default;

void CStringTree::CStringTreeNode::Reset()
{
    m_nLevel = -1;
    m_strName.Empty();
    m_strData.Empty();
}

int CStringTree::CStringTreeNode::Parse(const CString& strLine, CStringTreeDataTestAbs* pTest)
{
    Reset();
    CString text = strLine;
    text.Trim();
    if (text.IsEmpty()) return FALSE;
    // The level is one digit; any other first byte (a letter, a byte-order mark, a byte
    // above 127 taken as signed) is a bad level.
    m_nLevel = static_cast<signed char>(text[0]) - '0';
    if (m_nLevel < 1 || m_nLevel > 9) {
        ReportError(pTest, kBadLevel);
        return FALSE;
    }
    text = text.Mid(1);
    text.TrimLeft();
    const int equals = text.Find('=');
    if (equals >= 0) {
        m_strName = text.Left(equals);
        m_strName.TrimRight();
        m_strData = text.Mid(equals + 1);
        m_strData.Trim();
    } else {
        m_strName = text;
    }
    if (m_strName.IsEmpty()) {
        ReportError(pTest, kNoName);
        return FALSE;
    }
    if (!m_strData.IsEmpty() && pTest && !pTest->TestData(m_strData)) return FALSE;
    return TRUE;
}

bool CStringTree::ReportBadLine(const CString& strFile, int nLine, const CString& strLine, const CStringTreeNode& node,
                                CStringTreeDataTestAbs* pTest)
{
    const CString error = pTest ? pTest->GetLastError() : CString(kUnknownError);
    CString text;
    text.Format(kBadLineFormat, error.GetString(), nLine, strFile.GetString(), strLine.GetString(), node.m_nLevel,
                node.m_strName.GetString(), node.m_strData.GetString());
    return AfxMessageBox(text, MB_YESNO) == IDYES;
}

void CStringTree::ReadLines(CStdioFile& file, const CString& strFile, CStringTreeDataTestAbs* pTest)
{
    CString line;
    for (int nLine = 1; file.ReadString(line); ++nLine) {
        const CString text = NodeText(line);
        if (text.IsEmpty()) continue;
        CStringTreeNode node;
        if (node.Parse(text, pTest))
            m_Nodes.Add(node);
        else if (!ReportBadLine(strFile, nLine, line, node, pTest))
            return;
    }
}

int CStringTree::LoadFromFile(const CString& strFile, CStringTreeDataTestAbs* pTest)
{
    m_Nodes.RemoveAll();
    CStdioFile file;
    if (!file.Open(strFile, CFile::modeRead | CFile::shareDenyNone | CFile::typeText)) {
        CString text;
        text.Format("Open file error: file name = %s", strFile.GetString());
        AfxMessageBox(text, MB_OK);
        return FALSE;
    }
    try {
        ReadLines(file, strFile, pTest);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    return TRUE;
}
