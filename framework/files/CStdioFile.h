#pragma once
// A file read line by line. Lines end with "\r\n" or "\n"; the last line may have no end.

#include <string>

#include <zelmtools/platform/base/export.h>

#include "framework/files/CFile.h"

class ZELM_API CStdioFile : public CFile {
public:
    CStdioFile() = default;
    // Opens the file or throws a CFileException.
    CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags) : CFile(lpszFileName, nOpenFlags) {}

    // The next line without its end; false at the end of the file. Throws on read errors.
    BOOL ReadString(CString& rString);
    // At most nMax - 1 bytes of the next line, its end kept as one "\n", with a
    // terminating zero; the rest of a longer line comes with the next call. Null at the
    // end of the file, or when nMax leaves no room for a byte and the zero.
    LPSTR ReadString(LPSTR lpsz, UINT nMax);
    // Writes the text as it is (line ends included).
    void WriteString(LPCSTR lpsz);

private:
    // Consumes up to `limit` bytes, stopping after the first "\n"; `line` gets them
    // without that "\n". The bytes read past the line are given back by seeking.
    bool ReadLine(std::string& line, std::size_t limit, bool& ended);
};
