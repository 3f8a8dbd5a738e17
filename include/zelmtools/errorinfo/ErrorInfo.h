#pragma once
// Structured error records for the outside error sink: the runtime initialisation
// and the sink holder of a reporting thread, where an error arose, and the loader
// of one subsystem that composes records and adds them to the sink.

#include <string>
#include <vector>

#include <zelmtools/errorinfo/ZelmErrorInfo.h>
#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>
#include <zelmtools/platform/com/CComBSTR.h>

// The component-object runtime for the calling thread. Each initialisation this
// object made is ended once, by its destructor on the same thread; a copy makes its
// own initialisation.
class ZELM_API CComInit {
public:
    CComInit() = default;
    CComInit(const CComInit& other);
    CComInit& operator=(const CComInit& other);
    virtual ~CComInit();

    // True when the object holds an initialisation (also after a later failing call).
    bool Init();

private:
    bool m_bInit = false;
};

// Holds a counted reference to the sink; copies share it. The sink is released
// before the runtime is ended.
class ZELM_API CErrorInfoObject {
public:
    CErrorInfoObject() = default;
    CErrorInfoObject(const CErrorInfoObject& other);
    CErrorInfoObject& operator=(const CErrorInfoObject& other);
    virtual ~CErrorInfoObject();

    IZelmErrorInfo* GetErrorInfo() const { return m_pErrorInfo; }
    operator IZelmErrorInfo*() const { return m_pErrorInfo; }

private:
    friend ZELM_API bool InitErrorInfo(CErrorInfoObject& object, WORD wLanguage);
    void Release();

    IZelmErrorInfo* m_pErrorInfo = nullptr;
    CComInit m_ComInit;
};

// Initialises the runtime, creates the sink and gives it the language. A second call
// replaces the sink it held.
ZELM_API bool InitErrorInfo(CErrorInfoObject& object, WORD wLanguage);

// Where an error arose: typically CSourceFileInfo(__FILE__, __DATE__, __TIME__).
class ZELM_API CSourceFileInfo {
public:
    CSourceFileInfo(const char* pszFileName, const char* pszCompileDate, const char* pszCompileTime);
    virtual ~CSourceFileInfo();
    CSourceFileInfo(const CSourceFileInfo&) = default;
    CSourceFileInfo& operator=(const CSourceFileInfo&) = default;

    LPCWSTR GetSourceFileName() const { return m_strFileName.c_str(); }
    LPCWSTR GetSourceFileCompileDate() const { return m_strCompileDate.c_str(); }
    LPCWSTR GetSourceFileCompileTime() const { return m_strCompileTime.c_str(); }

private:
    std::u16string m_strFileName;
    std::u16string m_strCompileDate;
    std::u16string m_strCompileTime;
};

// One per subsystem: its identifier, the module carrying its version information,
// the module carrying its message table, and its help file. Every add returns true
// when the sink took the record (or there is no sink); otherwise it shows the
// subsystem's error message box and returns false.
class ZELM_API CResourceErrorInfoLoader {
public:
    CResourceErrorInfoLoader(UINT nSubsystemID, LPCWSTR pszHelpFileName);
    virtual ~CResourceErrorInfoLoader();
    CResourceErrorInfoLoader(const CResourceErrorInfoLoader&) = default;
    CResourceErrorInfoLoader& operator=(const CResourceErrorInfoLoader&) = default;

    HINSTANCE GetSubsystemModule() const { return m_hSubsystemModule; }
    // Reads the subsystem module's version information; on failure nothing changes.
    bool InitSubsystemInfo(HINSTANCE hSubsystemModule, HINSTANCE hResourceModule);

    bool AddErrorInfoEx(IZelmErrorInfo* pSink, const CSourceFileInfo* pSource, int nLine, UINT nErrorID, int nHelpParam,
                        DWORD dwHelpContext, UINT nMessageID, LPCWSTR pszTemplate, const void* pInserts) const;
    bool AddErrorInfoHelp(IZelmErrorInfo* pSink, const CSourceFileInfo* pSource, int nLine, UINT nID, int nHelpParam,
                          DWORD dwHelpContext) const;
    bool AddErrorInfoTech(IZelmErrorInfo* pSink, const CSourceFileInfo* pSource, int nLine, UINT nID) const;
    bool AddErrorInfoFormat(IZelmErrorInfo* pSink, const CSourceFileInfo* pSource, int nLine, UINT nID,
                            const void* pInserts) const;
    bool AddErrorInfoText(IZelmErrorInfo* pSink, const CSourceFileInfo* pSource, int nLine, UINT nID,
                          LPCWSTR pszTemplate) const;
    bool AddErrorInfoSimpleText(IZelmErrorInfo* pSink, const CSourceFileInfo* pSource, int nLine,
                                const char* pszText) const;
    // "Windows API: " and the system's text for the calling thread's last error.
    bool AddErrorInfoApi(IZelmErrorInfo* pSink, const CSourceFileInfo* pSource, int nLine) const;

protected:
    UINT GetSubSystemID() const { return m_nSubsystemID; }
    // Null when the loader was made without a help file name.
    LPCWSTR GetHelpFileName() const { return m_bHasHelpFile ? m_strHelpFile.c_str() : nullptr; }
    bool GetVersionString(WORD wLanguage, const char* pszKey, CComBSTR& strValue) const;
    bool GetSubSystemName(WORD wLanguage, CComBSTR& strValue) const;
    bool GetSubSystemBuild(WORD wLanguage, CComBSTR& strValue) const;

private:
    bool ComposeAndAdd(IZelmErrorInfo* pSink, const CSourceFileInfo* pSource, ErrorInfoItem& item, UINT nMessageID,
                       LPCWSTR pszTemplate, const void* pInserts) const;
    static bool Failed();

    HINSTANCE m_hSubsystemModule = nullptr;
    HINSTANCE m_hResourceModule = nullptr;
    UINT m_nSubsystemID;
    std::vector<BYTE> m_versionInfo;  // empty until loaded
    std::u16string m_strHelpFile;
    bool m_bHasHelpFile;
};
