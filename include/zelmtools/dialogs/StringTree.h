#pragma once
// Choosing one value out of a tree kept in a text file. Each line is a node: a level
// digit 1 to 9, a name and, after "=", an optional data value; nodes with data are the
// choices, the others groups. "//" starts a comment.
//
//   1 Colours
//   2 Red   = #FF0000
//   2 Green = #00FF00
//
// A filter hides choices; a data test checks each value while the file is read and
// gives the text shown for a line it rejects.

#include <zelmtools/framework/strings/CString.h>
#include <zelmtools/platform/base/export.h>

class ZELM_API CStringTreeFilterAbs {
public:
    CStringTreeFilterAbs() = default;
    CStringTreeFilterAbs(const CStringTreeFilterAbs&) = default;
    CStringTreeFilterAbs& operator=(const CStringTreeFilterAbs&) = default;
    // Non-zero to show the choice, zero to hide it.
    virtual int Filter(LPCSTR pszName, LPCSTR pszData) = 0;
    virtual ~CStringTreeFilterAbs();
};

class ZELM_API CStringTreeDataTestAbs {
public:
    CStringTreeDataTestAbs();
    CStringTreeDataTestAbs(const CStringTreeDataTestAbs& other);
    CStringTreeDataTestAbs& operator=(const CStringTreeDataTestAbs& other);
    // Non-zero when the value is acceptable; a rejection should first SetLastError the reason.
    virtual int TestData(LPCSTR pszData) = 0;
    virtual ~CStringTreeDataTestAbs();

    void SetLastError(const char* pszError);
    CString GetLastError();

protected:
    CString m_strLastError;
};

// Reads the file and lets the user choose; on a confirmed choice writes its data into
// *pstrData and returns TRUE. FALSE when the file cannot be read or the user cancels,
// *pstrData then unchanged. pstrTitle (the dialog's caption), pFilter and pTest may be null.
ZELM_API int SelectStringFromStringTree(const CString& strFile, CString* pstrData, CString* pstrTitle,
                                        CStringTreeFilterAbs* pFilter, CStringTreeDataTestAbs* pTest);
