#pragma once
// The error sink interface and the record that crosses it. The sink is a component
// of its own (created by class identifier); the library and the sink share this
// header, so the slot order and the record layout are fixed here.

#include <zelmtools/platform/base/win_types.h>
#include <zelmtools/platform/com/unknown.h>

// One error record. Text fields are UTF-16 and terminated. For AddErrorInfo they are
// borrowed from the caller for the call only; for PopErrorInfo they point to buffers
// sized by GetErrorInfoSizes, which the sink fills.
struct ErrorInfoItem {
    LPWSTR SubSystemName;
    DWORD SubSystemID;
    LPWSTR SubSystemBuild;
    LPWSTR SourceFileName;
    LPWSTR SourceFileCompileDate;
    LPWSTR SourceFileCompileTime;
    LONG Line;
    DWORD ErrorID;
    LONG HelpParam;
    DWORD HelpContext;
    LPWSTR Text;
    LPWSTR HelpFileName;
};

// The seven text fields, wherever texts are counted, in this order.
constexpr int kErrorInfoTextCount = 7;
constexpr LPWSTR ErrorInfoItem::*const kErrorInfoTextFields[kErrorInfoTextCount] = {
    &ErrorInfoItem::SubSystemName,         &ErrorInfoItem::SubSystemBuild,        &ErrorInfoItem::SourceFileName,
    &ErrorInfoItem::SourceFileCompileDate, &ErrorInfoItem::SourceFileCompileTime, &ErrorInfoItem::Text,
    &ErrorInfoItem::HelpFileName};

// {5B2E7A41-3C9D-4F18-A6E2-0D7C41B95E3A}
constexpr CLSID CLSID_ZelmErrorInfo = {0x5B2E7A41, 0x3C9D, 0x4F18, {0xA6, 0xE2, 0x0D, 0x7C, 0x41, 0xB9, 0x5E, 0x3A}};
// {5B2E7A40-3C9D-4F18-A6E2-0D7C41B95E3A}
constexpr IID IID_IZelmErrorInfo = {0x5B2E7A40, 0x3C9D, 0x4F18, {0xA6, 0xE2, 0x0D, 0x7C, 0x41, 0xB9, 0x5E, 0x3A}};

// Records are kept by the sink; every operation answers an HRESULT.
struct IZelmErrorInfo : IUnknown {
    // Slot 3: copies the record (the texts are freed by the caller right after).
    virtual HRESULT AddErrorInfo(const ErrorInfoItem* pItem) = 0;
    // Slot 4: fills the numeric fields and the seven text buffers (sized by
    // GetErrorInfoSizes on the same thread) and removes that record.
    virtual HRESULT PopErrorInfo(ErrorInfoItem* pItem) = 0;
    // Slot 5: how many records the sink holds.
    virtual HRESULT GetErrorCount(DWORD* pdwCount) = 0;
    // Slots 6, 7: the language of names, builds and message texts.
    virtual HRESULT SetLanguage(WORD wLanguage) = 0;
    virtual HRESULT GetLanguage(WORD* pwLanguage) = 0;
    // Slots 8, 9: whether trace records are wanted (non-zero: yes).
    virtual HRESULT SetTraceEnabled(DWORD dwEnabled) = 0;
    virtual HRESULT GetTraceEnabled(DWORD* pdwEnabled) = 0;
    // Slot 10: UTF-16 units, terminators included, of the seven texts of the record
    // that PopErrorInfo would remove next.
    virtual HRESULT GetErrorInfoSizes(DWORD* pdwSizes) = 0;
    // Slot 11: drops every record.
    virtual HRESULT ClearErrorInfo() = 0;
    // Slot 12: shows the collected records; the value and the result are the sink's.
    virtual HRESULT ShowErrorInfo(UINT nValue, LONG* plResult) = 0;

protected:
    ~IZelmErrorInfo() = default;
};
