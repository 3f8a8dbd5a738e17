// The sink holder of a reporting thread.
#include <zelmtools/errorinfo/ErrorInfo.h>
#include <zelmtools/platform/com/objbase.h>

CErrorInfoObject::CErrorInfoObject(const CErrorInfoObject& other)
    : m_pErrorInfo(other.m_pErrorInfo), m_ComInit(other.m_ComInit)
{
    if (m_pErrorInfo != nullptr) m_pErrorInfo->AddRef();
}

CErrorInfoObject& CErrorInfoObject::operator=(const CErrorInfoObject& other)
{
    // Reference first: other may hold the last reference to the sink we drop.
    if (other.m_pErrorInfo != nullptr) other.m_pErrorInfo->AddRef();
    Release();
    m_pErrorInfo = other.m_pErrorInfo;
    m_ComInit = other.m_ComInit;
    return *this;
}

CErrorInfoObject::~CErrorInfoObject()
{
    // The sink goes before the runtime that serves it.
    Release();
}

void CErrorInfoObject::Release()
{
    if (m_pErrorInfo != nullptr) m_pErrorInfo->Release();
    m_pErrorInfo = nullptr;
}

bool InitErrorInfo(CErrorInfoObject& object, WORD wLanguage)
{
    if (!object.m_ComInit.Init()) return false;
    IZelmErrorInfo* sink = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_ZelmErrorInfo, nullptr, CLSCTX_INPROC_SERVER, IID_IZelmErrorInfo,
                                  reinterpret_cast<void**>(&sink));
    if (FAILED(hr) || sink == nullptr) return false;
    object.Release();
    object.m_pErrorInfo = sink;
    return SUCCEEDED(sink->SetLanguage(wLanguage));
}
