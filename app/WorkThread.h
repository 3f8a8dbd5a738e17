#pragma once
// The render worker: lays the text of one file out on 128 x 116 pages in the chosen
// font and writes each page as a numbered bitmap file, on a thread of its own.

#include <atomic>
#include <memory>
#include <vector>

#include "app/PageFileWriter.h"
#include "app/TextDecoder.h"
#include "app/WorkParams.h"
#include "framework/files/CFile.h"
#include <zelmtools/framework/gdi/CDC.h>
#include <zelmtools/framework/threads/CWinThread.h>

class CWorkThread : public CWinThread {
    DECLARE_DYNCREATE(CWorkThread)

public:
    static constexpr int kTextBufferSize = 500;
    static constexpr int kBitsBufferSize = 100000;
    // The file header and the information header that precede a page's bits.
    static constexpr int kHeadersSize = 54;

    CWorkThread();
    ~CWorkThread() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Called on the creating thread while the worker is still suspended.
    void StartJob(const WorkParams& params);

    // "T0000.bmp" for 0, "T0010.bmp" for 10, "T10000.bmp" for 10000.
    static CString FileNameForIndex(int nIndex);
    // Pages written so far; read by the notified window while the worker waits for it.
    int GetPagesWritten() const { return m_nPagesWritten; }

    // Set to 1 by the dialog's Stop; read before each page.
    std::atomic<int> m_bStop{0};

    // Stop from another thread that also ends a wait for input (a FIFO whose writer has
    // not come, a pipe that gives nothing): sets m_bStop and cancels the pending read.
    // Callable while the worker has not yet sent its end notification.
    void RequestStop();

protected:
    void OnWorkStart(WPARAM wParam, LPARAM lParam);

    void RunJob();
    bool PrepareJob();
    void FinishJob();
    bool FillTextBuffer();
    void NormalizeText();
    void DeleteChars(int nPos, int nCount);
    bool RenderPage();
    bool WritePage();
    CString MakeFileName();
    void ReportProgress(bool bLastPage);

    CString m_strInputFile;
    HWND m_hNotifyWnd = nullptr;
    LOGFONT m_logFont{};
    CDC* m_pScreenDC = nullptr;
    CString m_strOutputFolder;
    int m_nPageWidth = 128;
    int m_nPageHeight = 116;
    int m_nDelSize = 3;
    BYTE* m_pBitsBuffer = nullptr;
    char m_textBuf[kTextBufferSize]{};
    int m_nTextPos = 0;
    int m_nTextCount = 0;
    CFile m_file;
    // Length and read position of the input: 64-bit, so that files over 4 GiB work.
    ULONGLONG m_dwFileLength = 0;
    ULONGLONG m_dwFilePos = 0;
    int m_bPrepared = 0;
    int m_nFileIndex = 0;
    CDC m_drawDC;
    CDC m_mirrorDC;
    CBitmap m_drawBitmap;
    CBitmap* m_pOldDrawBitmap = nullptr;
    CFont m_font;
    CFont* m_pOldFont = nullptr;
    CBitmap m_mirrorBitmap;
    CBitmap* m_pOldMirrorBitmap = nullptr;
    TextEncoding m_encoding = TextEncoding::Auto;
    TextDecoder m_decoder;
    // Counted by the thread that writes the files.
    std::atomic<int> m_nPagesWritten{0};

private:
    int FitLine(int nBytesLeft, int* pLineHeight);
    void MirrorPage();
    void StartWriting();
    bool FinishWriting();
    int PrepareImage(BYTE* pImage);
    void WriteHeaders(BYTE* pHeaders, int nBitsPerPixel, int nPaletteSize, int nBytes);
    // Shows the file error's standard description, which names the file, and frees it.
    static void ReportFileError(CFileException* e);
    // Reports a failure of the input, unless it is the read that a stop cancelled.
    void ReportInputError(CFileException* e);
    bool OpenInput();

    // The input while a read of it may wait, for RequestStop to cancel.
    std::atomic<HANDLE> m_hWaitingInput{nullptr};

    // The page canvas's rows, read at once for the mirror.
    std::vector<BYTE> m_drawBits;
    // Writes the pages on a thread of its own; started with the job's first page.
    std::unique_ptr<PageFileWriter> m_pWriter;
    // The file image of the page being made, from the writer's ring (null after a
    // page could not be written).
    BYTE* m_pImage = nullptr;
    // The percentage last sent to the window; none yet at -1.
    int m_nPercentSent = -1;

    DECLARE_MESSAGE_MAP()
};
