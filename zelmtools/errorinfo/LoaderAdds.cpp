// The add operations: compose one record and hand it to the sink.
#include <memory>
#include <new>

#include <zelmtools/errorinfo/ErrorInfo.h>
#include <zelmtools/errorinfo/MessageStrings.h>

#include "framework/ui/MessageBox.h"
#include "zelmtools/errorinfo/WideText.h"

namespace {

constexpr UINT kApiId = 1;

struct MessageStringDeleter {
    void operator()(WCHAR* text) const { FreeMessageString(text); }
};
using MessageString = std::unique_ptr<WCHAR, MessageStringDeleter>;

ErrorInfoItem MakeItem(int line, UINT errorId, int helpParam, DWORD helpContext)
{
    ErrorInfoItem item{};
    item.Line = line;
    item.ErrorID = errorId;
    item.HelpParam = helpParam;
    item.HelpContext = helpContext;
    return item;
}

}  // namespace

bool CResourceErrorInfoLoader::Failed()
{
    MessageBoxA(nullptr, "Error in Errors handling subsystem", "Error", MB_ICONERROR | MB_OK | MB_TASKMODAL | MB_TOPMOST);
    return false;
}

bool CResourceErrorInfoLoader::ComposeAndAdd(IZelmErrorInfo* pSink, const CSourceFileInfo* pSource, ErrorInfoItem& item,
                                             UINT nMessageID, LPCWSTR pszTemplate, const void* pInserts) const
{
    if (pSink == nullptr) return true;
    if (pSource == nullptr || !m_bHasHelpFile || (nMessageID == 0 && pszTemplate == nullptr)) return Failed();
    try {
        WORD language = 0;
        if (FAILED(pSink->GetLanguage(&language))) return Failed();
        CComBSTR name, build;
        if (!GetSubSystemName(language, name) || !GetSubSystemBuild(language, build)) return Failed();
        MessageString text(nMessageID != 0 ? GetMessageStringModule(nMessageID, m_hResourceModule, language, pInserts)
                                           : GetMessageStringFromString(pszTemplate, pInserts));
        if (!text) return Failed();

        item.SubSystemName = name.m_str;
        item.SubSystemID = m_nSubsystemID;
        item.SubSystemBuild = build.m_str;
        item.SourceFileName = const_cast<LPWSTR>(pSource->GetSourceFileName());
        item.SourceFileCompileDate = const_cast<LPWSTR>(pSource->GetSourceFileCompileDate());
        item.SourceFileCompileTime = const_cast<LPWSTR>(pSource->GetSourceFileCompileTime());
        item.Text = text.get();
        item.HelpFileName = const_cast<LPWSTR>(m_strHelpFile.c_str());
        if (FAILED(pSink->AddErrorInfo(&item))) return Failed();
        return true;
    } catch (const std::bad_alloc&) {
        return Failed();
    }
}

bool CResourceErrorInfoLoader::AddErrorInfoEx(IZelmErrorInfo* pSink, const CSourceFileInfo* pSource, int nLine,
                                              UINT nErrorID, int nHelpParam, DWORD dwHelpContext, UINT nMessageID,
                                              LPCWSTR pszTemplate, const void* pInserts) const
{
    ErrorInfoItem item = MakeItem(nLine, nErrorID, nHelpParam, dwHelpContext);
    return ComposeAndAdd(pSink, pSource, item, nMessageID, pszTemplate, pInserts);
}

bool CResourceErrorInfoLoader::AddErrorInfoHelp(IZelmErrorInfo* pSink, const CSourceFileInfo* pSource, int nLine,
                                                UINT nID, int nHelpParam, DWORD dwHelpContext) const
{
    return AddErrorInfoEx(pSink, pSource, nLine, nID, nHelpParam, dwHelpContext, nID, nullptr, nullptr);
}

bool CResourceErrorInfoLoader::AddErrorInfoTech(IZelmErrorInfo* pSink, const CSourceFileInfo* pSource, int nLine,
                                                UINT nID) const
{
    return AddErrorInfoEx(pSink, pSource, nLine, nID, 0, 0, nID, nullptr, nullptr);
}

bool CResourceErrorInfoLoader::AddErrorInfoFormat(IZelmErrorInfo* pSink, const CSourceFileInfo* pSource, int nLine,
                                                  UINT nID, const void* pInserts) const
{
    return AddErrorInfoEx(pSink, pSource, nLine, nID, 0, 0, nID, nullptr, pInserts);
}

bool CResourceErrorInfoLoader::AddErrorInfoText(IZelmErrorInfo* pSink, const CSourceFileInfo* pSource, int nLine,
                                                UINT nID, LPCWSTR pszTemplate) const
{
    return AddErrorInfoEx(pSink, pSource, nLine, nID, 0, 0, 0, pszTemplate, nullptr);
}

bool CResourceErrorInfoLoader::AddErrorInfoSimpleText(IZelmErrorInfo* pSink, const CSourceFileInfo* pSource, int nLine,
                                                      const char* pszText) const
{
    if (pSink == nullptr) return true;
    auto text = zelm::errorinfo::AnsiToWide(pszText);
    if (!text) return Failed();
    return AddErrorInfoText(pSink, pSource, nLine, 0, text->c_str());
}

bool CResourceErrorInfoLoader::AddErrorInfoApi(IZelmErrorInfo* pSink, const CSourceFileInfo* pSource, int nLine) const
{
    if (pSink == nullptr) return true;
    // First, before anything else on this thread changes the last error.
    MessageString system(GetMessageStringSystem());
    const DWORD_PTR inserts[] = {reinterpret_cast<DWORD_PTR>(system ? system.get() : u"")};
    return AddErrorInfoEx(pSink, pSource, nLine, kApiId, 0, 0, 0, u"Windows API: %1!S!", inserts);
}
