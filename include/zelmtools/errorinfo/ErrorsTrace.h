#pragma once
// Tracing function entries and exits into the sink, taking records back out of it,
// and asking it to show what it holds.

#include <zelmtools/errorinfo/ErrorInfo.h>
#include <zelmtools/errorinfo/ZelmErrorInfo.h>
#include <zelmtools/platform/base/export.h>

// Adds "Tracing, entering function NAME" when made and "Tracing, exiting  function
// NAME" when destroyed (identifier 2), whenever the sink asks for tracing. Every
// pointer is borrowed and must outlive the object.
class ZELM_API CErrorsTraceObject {
public:
    CErrorsTraceObject(IZelmErrorInfo* pSink, const CSourceFileInfo* pSource, CResourceErrorInfoLoader* pLoader,
                       const char* pszFunction, int nLine);
    virtual ~CErrorsTraceObject();
    // A copy would trace one more exit than entries.
    CErrorsTraceObject(const CErrorsTraceObject&) = delete;
    CErrorsTraceObject& operator=(const CErrorsTraceObject&) = delete;

protected:
    void TraceHelper(LPCWSTR pszPrefix);

private:
    IZelmErrorInfo* m_pSink;
    const CSourceFileInfo* m_pSource;
    CResourceErrorInfoLoader* m_pLoader;
    const char* m_pszFunction;
    int m_nLine;
};

// Pops the sink's next record into the item, whose seven texts are then allocated
// for the caller (release them with PopErrorFree). S_OK, else the sink's failure code
// with nothing allocated.
ZELM_API long PopErrorAllocate(IZelmErrorInfo* pSink, ErrorInfoItem& item);
ZELM_API void PopErrorFree(ErrorInfoItem& item);
// The sink's ShowErrorInfo result, or 0 when that call fails or there is no sink.
ZELM_API int ShowErrorMessage(UINT nValue, IZelmErrorInfo* pSink);
