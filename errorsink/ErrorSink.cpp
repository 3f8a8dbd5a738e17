#include "ErrorSink.h"

#include <algorithm>

#include <zelmtools/platform/base/errors.h>

#include "ErrorReport.h"
#include "TraceSetting.h"

namespace zelm::errorsink {

std::atomic<int> g_liveObjects{0};

namespace {
constexpr WORD kDefaultLanguage = 0x0409;
constexpr DWORD ERROR_NO_MORE_ITEMS_CODE = 259;
const HRESULT kNoRecord = HRESULT_FROM_WIN32(ERROR_NO_MORE_ITEMS_CODE);
}  // namespace

ErrorSink::ErrorSink() : m_language(kDefaultLanguage), m_traceEnabled(ReadTraceSetting())
{
    ++g_liveObjects;
}

ErrorSink::~ErrorSink()
{
    --g_liveObjects;
}

HRESULT ErrorSink::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_IZelmErrorInfo) return E_NOINTERFACE;
    *ppv = static_cast<IZelmErrorInfo*>(this);
    AddRef();
    return S_OK;
}

ULONG ErrorSink::AddRef()
{
    return ++m_references;
}

ULONG ErrorSink::Release()
{
    ULONG left = --m_references;
    if (left == 0) delete this;
    return left;
}

HRESULT ErrorSink::AddErrorInfo(const ErrorInfoItem* pItem)
{
    if (pItem == nullptr) return E_POINTER;
    Record record{};
    for (int i = 0; i < kErrorInfoTextCount; ++i) {
        LPCWSTR text = pItem->*kErrorInfoTextFields[i];
        if (text != nullptr) record.texts[i] = text;
    }
    record.subSystemId = pItem->SubSystemID;
    record.line = pItem->Line;
    record.errorId = pItem->ErrorID;
    record.helpParam = pItem->HelpParam;
    record.helpContext = pItem->HelpContext;
    std::lock_guard guard(m_lock);
    record.serial = m_nextSerial++;
    m_records.push_back(std::move(record));
    return S_OK;
}

HRESULT ErrorSink::GetErrorInfoSizes(DWORD* pdwSizes)
{
    if (pdwSizes == nullptr) return E_POINTER;
    std::lock_guard guard(m_lock);
    if (m_records.empty()) return kNoRecord;
    const Record& top = m_records.back();
    for (int i = 0; i < kErrorInfoTextCount; ++i) pdwSizes[i] = static_cast<DWORD>(top.texts[i].size() + 1);
    m_sized[std::this_thread::get_id()] = top.serial;
    return S_OK;
}

HRESULT ErrorSink::PopErrorInfo(ErrorInfoItem* pItem)
{
    if (pItem == nullptr) return E_POINTER;
    std::lock_guard guard(m_lock);
    auto sized = m_sized.find(std::this_thread::get_id());
    if (sized == m_sized.end()) return E_UNEXPECTED;  // the buffers' sizes are unknown
    std::uint64_t serial = sized->second;
    m_sized.erase(sized);
    auto record = std::find_if(m_records.begin(), m_records.end(), [&](const Record& r) { return r.serial == serial; });
    if (record == m_records.end()) return E_UNEXPECTED;  // popped or cleared meanwhile
    for (int i = 0; i < kErrorInfoTextCount; ++i) {
        LPWSTR buffer = pItem->*kErrorInfoTextFields[i];
        if (buffer == nullptr) return E_POINTER;
        record->texts[i].copy(buffer, record->texts[i].size());
        buffer[record->texts[i].size()] = u'\0';
    }
    pItem->SubSystemID = record->subSystemId;
    pItem->Line = record->line;
    pItem->ErrorID = record->errorId;
    pItem->HelpParam = record->helpParam;
    pItem->HelpContext = record->helpContext;
    m_records.erase(record);
    return S_OK;
}

HRESULT ErrorSink::GetErrorCount(DWORD* pdwCount)
{
    if (pdwCount == nullptr) return E_POINTER;
    std::lock_guard guard(m_lock);
    *pdwCount = static_cast<DWORD>(m_records.size());
    return S_OK;
}

HRESULT ErrorSink::SetLanguage(WORD wLanguage)
{
    std::lock_guard guard(m_lock);
    m_language = wLanguage;
    return S_OK;
}

HRESULT ErrorSink::GetLanguage(WORD* pwLanguage)
{
    if (pwLanguage == nullptr) return E_POINTER;
    std::lock_guard guard(m_lock);
    *pwLanguage = m_language;
    return S_OK;
}

HRESULT ErrorSink::SetTraceEnabled(DWORD dwEnabled)
{
    std::lock_guard guard(m_lock);
    m_traceEnabled = dwEnabled;
    return S_OK;
}

HRESULT ErrorSink::GetTraceEnabled(DWORD* pdwEnabled)
{
    if (pdwEnabled == nullptr) return E_POINTER;
    std::lock_guard guard(m_lock);
    *pdwEnabled = m_traceEnabled;
    return S_OK;
}

HRESULT ErrorSink::ClearErrorInfo()
{
    std::lock_guard guard(m_lock);
    m_records.clear();
    return S_OK;
}

HRESULT ErrorSink::ShowErrorInfo(UINT nValue, LONG* plResult)
{
    if (plResult == nullptr) return E_POINTER;
    std::vector<Record> shown;
    {
        std::lock_guard guard(m_lock);
        shown = m_records;
        if (nValue & kShowAndClear) m_records.clear();
    }
    // Shown outside the lock: a dialog runs an event loop that may call back in.
    ShowRecords(shown);
    *plResult = static_cast<LONG>(shown.size());
    return S_OK;
}

}  // namespace zelm::errorsink
