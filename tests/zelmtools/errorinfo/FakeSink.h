#pragma once
// An in-memory error sink: keeps copies of the records it is given, answers with
// chosen failures, and counts its references.

#include <string>
#include <vector>

#include <zelmtools/errorinfo/ZelmErrorInfo.h>

struct StoredRecord {
    std::u16string texts[kErrorInfoTextCount];
    DWORD subSystemId = 0;
    LONG line = 0;
    DWORD errorId = 0;
    LONG helpParam = 0;
    DWORD helpContext = 0;

    const std::u16string& name() const { return texts[0]; }
    const std::u16string& build() const { return texts[1]; }
    const std::u16string& file() const { return texts[2]; }
    const std::u16string& date() const { return texts[3]; }
    const std::u16string& time() const { return texts[4]; }
    const std::u16string& text() const { return texts[5]; }
    const std::u16string& help() const { return texts[6]; }
};

class FakeSink final : public IZelmErrorInfo {
public:
    std::vector<StoredRecord> records;
    WORD language = 0x0409;
    DWORD trace = 1;
    HRESULT addResult = S_OK, languageResult = S_OK, traceResult = S_OK, sizesResult = S_OK, popResult = S_OK,
            showResult = S_OK;
    LONG showAnswer = 7;
    UINT shownValue = 0;
    int references = 1;

    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return ++references; }
    ULONG Release() override { return --references; }

    HRESULT AddErrorInfo(const ErrorInfoItem* item) override
    {
        if (FAILED(addResult)) return addResult;
        StoredRecord record;
        for (int i = 0; i < kErrorInfoTextCount; ++i) {
            LPWSTR text = item->*kErrorInfoTextFields[i];
            record.texts[i] = text ? text : u"(null)";
        }
        record.subSystemId = item->SubSystemID;
        record.line = item->Line;
        record.errorId = item->ErrorID;
        record.helpParam = item->HelpParam;
        record.helpContext = item->HelpContext;
        records.push_back(record);
        return S_OK;
    }
    HRESULT PopErrorInfo(ErrorInfoItem* item) override
    {
        if (FAILED(popResult)) return popResult;
        if (records.empty()) return E_FAIL;
        const StoredRecord& record = records.back();
        for (int i = 0; i < kErrorInfoTextCount; ++i)
            record.texts[i].copy(item->*kErrorInfoTextFields[i], std::u16string::npos);
        item->SubSystemID = record.subSystemId;
        item->Line = record.line;
        item->ErrorID = record.errorId;
        item->HelpParam = record.helpParam;
        item->HelpContext = record.helpContext;
        records.pop_back();
        return S_OK;
    }
    HRESULT GetErrorCount(DWORD* count) override
    {
        *count = static_cast<DWORD>(records.size());
        return S_OK;
    }
    HRESULT SetLanguage(WORD value) override
    {
        language = value;
        return S_OK;
    }
    HRESULT GetLanguage(WORD* value) override
    {
        *value = language;
        return languageResult;
    }
    HRESULT SetTraceEnabled(DWORD value) override
    {
        trace = value;
        return S_OK;
    }
    HRESULT GetTraceEnabled(DWORD* value) override
    {
        *value = trace;
        return traceResult;
    }
    HRESULT GetErrorInfoSizes(DWORD* sizes) override
    {
        if (FAILED(sizesResult)) return sizesResult;
        if (records.empty()) return E_FAIL;
        for (int i = 0; i < kErrorInfoTextCount; ++i) sizes[i] = static_cast<DWORD>(records.back().texts[i].size() + 1);
        return S_OK;
    }
    HRESULT ClearErrorInfo() override
    {
        records.clear();
        return S_OK;
    }
    HRESULT ShowErrorInfo(UINT value, LONG* result) override
    {
        shownValue = value;
        *result = showAnswer;
        return showResult;
    }
};
