// Trace records around a function's extent.
#include <string>

#include <zelmtools/errorinfo/ErrorsTrace.h>

#include "zelmtools/errorinfo/WideText.h"

namespace {

constexpr UINT kTraceId = 2;
// The whole text, terminator included, stays within this many UTF-16 units.
constexpr std::size_t kTextUnits = 1000;

// Cuts the name so that prefix and name fit, never between a surrogate pair.
void CutToFit(std::u16string& name, std::size_t room)
{
    if (name.size() <= room) return;
    std::size_t cut = room;
    if (cut > 0 && name[cut - 1] >= 0xD800 && name[cut - 1] <= 0xDBFF) --cut;
    name.resize(cut);
}

}  // namespace

CErrorsTraceObject::CErrorsTraceObject(IZelmErrorInfo* pSink, const CSourceFileInfo* pSource,
                                       CResourceErrorInfoLoader* pLoader, const char* pszFunction, int nLine)
    : m_pSink(pSink), m_pSource(pSource), m_pLoader(pLoader), m_pszFunction(pszFunction), m_nLine(nLine)
{
    TraceHelper(u"Tracing, entering function ");
}

CErrorsTraceObject::~CErrorsTraceObject()
{
    TraceHelper(u"Tracing, exiting  function ");
}

void CErrorsTraceObject::TraceHelper(LPCWSTR pszPrefix)
{
    if (m_pSink == nullptr || m_pLoader == nullptr) return;
    DWORD enabled = 0;
    if (FAILED(m_pSink->GetTraceEnabled(&enabled)) || enabled == 0) return;
    std::u16string text = pszPrefix;
    std::u16string name = zelm::errorinfo::AnsiToWide(m_pszFunction ? m_pszFunction : "").value_or(u"");
    CutToFit(name, text.size() < kTextUnits - 1 ? kTextUnits - 1 - text.size() : 0);
    text += name;
    // A failed add has shown its message box already; tracing goes on regardless.
    m_pLoader->AddErrorInfoText(m_pSink, m_pSource, m_nLine, kTraceId, text.c_str());
}
