#pragma once
// The error sink object: a stack of error records per object, safe to use from
// several threads at once.

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <zelmtools/errorinfo/ZelmErrorInfo.h>

namespace zelm::errorsink {

struct Record {
    std::uint64_t serial;
    std::u16string texts[kErrorInfoTextCount];
    DWORD subSystemId;
    LONG line;
    DWORD errorId;
    LONG helpParam;
    DWORD helpContext;
};

// Objects alive in this library, for DllCanUnloadNow.
extern std::atomic<int> g_liveObjects;

// ShowErrorInfo's value: bit 0 drops the records once they are shown. Its result is
// the number of records shown.
constexpr UINT kShowAndClear = 0x1;

class ErrorSink final : public IZelmErrorInfo {
public:
    ErrorSink();

    HRESULT QueryInterface(REFIID riid, void** ppv) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT AddErrorInfo(const ErrorInfoItem* pItem) override;
    HRESULT PopErrorInfo(ErrorInfoItem* pItem) override;
    HRESULT GetErrorCount(DWORD* pdwCount) override;
    HRESULT SetLanguage(WORD wLanguage) override;
    HRESULT GetLanguage(WORD* pwLanguage) override;
    HRESULT SetTraceEnabled(DWORD dwEnabled) override;
    HRESULT GetTraceEnabled(DWORD* pdwEnabled) override;
    HRESULT GetErrorInfoSizes(DWORD* pdwSizes) override;
    HRESULT ClearErrorInfo() override;
    HRESULT ShowErrorInfo(UINT nValue, LONG* plResult) override;

private:
    ~ErrorSink();

    std::atomic<ULONG> m_references{1};
    std::mutex m_lock;
    std::vector<Record> m_records;  // the top of the stack is the back
    // The record whose sizes each thread was told last: only that one is popped into
    // its buffers, so a record added or popped by another thread in between can never
    // overrun them.
    std::map<std::thread::id, std::uint64_t> m_sized;
    std::uint64_t m_nextSerial = 1;
    WORD m_language;
    DWORD m_traceEnabled;
};

}  // namespace zelm::errorsink
