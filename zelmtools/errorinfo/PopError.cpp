// Taking records back out of the sink, and asking it to show them.
#include <zelmtools/errorinfo/ErrorsTrace.h>

long PopErrorAllocate(IZelmErrorInfo* pSink, ErrorInfoItem& item)
{
    if (pSink == nullptr) return E_POINTER;
    DWORD sizes[kErrorInfoTextCount] = {};
    HRESULT hr = pSink->GetErrorInfoSizes(sizes);
    if (FAILED(hr)) return hr;
    for (int i = 0; i < kErrorInfoTextCount; ++i)
        item.*kErrorInfoTextFields[i] = new WCHAR[static_cast<std::uint32_t>(sizes[i])]();
    hr = pSink->PopErrorInfo(&item);
    if (FAILED(hr)) {
        PopErrorFree(item);
        return hr;
    }
    return S_OK;
}

void PopErrorFree(ErrorInfoItem& item)
{
    for (LPWSTR ErrorInfoItem::*field : kErrorInfoTextFields) {
        delete[](item.*field);
        item.*field = nullptr;
    }
}

int ShowErrorMessage(UINT nValue, IZelmErrorInfo* pSink)
{
    if (pSink == nullptr) return 0;
    LONG result = 0;
    return SUCCEEDED(pSink->ShowErrorInfo(nValue, &result)) ? static_cast<int>(result) : 0;
}
