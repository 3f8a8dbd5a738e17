// Runtime initialisation per object: every initialisation made is ended exactly once.
#include <zelmtools/errorinfo/ErrorInfo.h>
#include <zelmtools/platform/com/objbase.h>

CComInit::CComInit(const CComInit& other)
{
    // The copy may outlive the original, so it holds an initialisation of its own.
    if (other.m_bInit) Init();
}

CComInit& CComInit::operator=(const CComInit& other)
{
    if (other.m_bInit && !m_bInit) Init();
    return *this;
}

CComInit::~CComInit()
{
    if (m_bInit) CoUninitialize();
}

bool CComInit::Init()
{
    // A second initialisation would be counted by the runtime but ended only once.
    if (m_bInit) return true;
    HRESULT hr = CoInitialize(nullptr);
    if (hr == S_OK || hr == S_FALSE) m_bInit = true;
    return m_bInit;
}
