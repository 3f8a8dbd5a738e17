#include "app/WorkThread.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include <zelmtools/framework/messages/Messaging.h>
#include "framework/ui/MessageBox.h"
#include <zelmtools/platform/base/errors.h>
#include "platform/base/utf8.h"
#include "platform/kernel/files.h"

namespace {

constexpr int kPageTemplateBitmap = 129;
constexpr int kOutputTemplateBitmap = 130;
constexpr int kTextLeft = 2;
constexpr int kRightMargin = 6;
// Bytes laid out at once to fit a line: more than most lines hold (a window that
// fits whole is doubled).
constexpr int kFitWindow = 64;

// Characters as the renderer reads them: a malformed sequence counts byte by byte.
int CharacterLength(std::string_view text, int offset)
{
    if (static_cast<unsigned char>(text[static_cast<std::size_t>(offset)]) < 0x80) return 1;
    return static_cast<int>(zelm::platform::Utf8CharacterLength(text, static_cast<std::size_t>(offset)));
}

// The bytes of the whole characters at the start of text that end within limit bytes:
// a cut sequence would read as other glyphs. Every byte that is not a continuation byte
// starts a character, and a sequence is at most 4 bytes long, so the last character
// start at or before limit is found by looking back at most 3 bytes.
int WholeCharacters(std::string_view text, int limit)
{
    const int count = static_cast<int>(text.size());
    if (limit >= count) return count;
    auto isContinuation = [&](int at) { return (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80; };
    int start = limit;
    while (start > 0 && start > limit - 3 && isContinuation(start)) --start;
    if (isContinuation(start) && start > 0) start = limit;  // no sequence reaches over limit
    for (int next = start; next <= limit; next += CharacterLength(text, next)) start = next;
    return start;
}

}  // namespace

IMPLEMENT_DYNCREATE(CWorkThread, CWinThread)

BEGIN_MESSAGE_MAP(CWorkThread, CWinThread)
ON_THREAD_MESSAGE(WM_WORK_START, OnWorkStart)
END_MESSAGE_MAP()

CWorkThread::CWorkThread() = default;

CWorkThread::~CWorkThread()
{
    FinishJob();
}

BOOL CWorkThread::InitInstance()
{
    return TRUE;
}

int CWorkThread::ExitInstance()
{
    return CWinThread::ExitInstance();
}

void CWorkThread::StartJob(const WorkParams& params)
{
    m_strInputFile = params.strInputFile;
    m_hNotifyWnd = params.hNotifyWnd;
    m_logFont = params.logFont;
    m_pScreenDC = params.pScreenDC;
    m_strOutputFolder = params.strOutputFolder;
    m_nPageWidth = params.nPageWidth;
    m_nPageHeight = params.nPageHeight;
    m_nDelSize = params.nDelSize;
    m_encoding = params.encoding;

    m_drawDC.CreateCompatibleDC(m_pScreenDC);
    m_mirrorDC.CreateCompatibleDC(&m_drawDC);
    PostThreadMessage(WM_WORK_START, 0, 0);
    ResumeThread();
}

void CWorkThread::OnWorkStart(WPARAM, LPARAM)
{
    RunJob();
    ::SendMessage(m_hNotifyWnd, WM_WORK_NOTIFY, 0, 1);
    PostQuitMessage(0);
}

void CWorkThread::RunJob()
{
    if (PrepareJob()) {
        bool attempted = false;
        try {
            bool ok = true;
            while (m_bStop == 0 && ok) {
                attempted = true;
                ok = RenderPage();
                if (ok) ok = WritePage();
                if (ok && m_bStop == 0) ReportProgress(false);
            }
        } catch (CFileException* e) {
            // The input could not be read any further: say so, as for a page that cannot be written.
            FinishWriting();
            ReportInputError(e);
            attempted = false;
        }
        // The pages laid out are all written (or the writing failed) before the window
        // hears of the job's last position.
        if (attempted) {
            FinishWriting();
            ReportProgress(true);
        }
    }
    FinishJob();
}

void CWorkThread::RequestStop()
{
    m_bStop = 1;
    if (HANDLE input = m_hWaitingInput.load()) CancelIoEx(input, nullptr);
}

void CWorkThread::ReportInputError(CFileException* e)
{
    if (m_bStop != 0 && e->m_lOsError == ERROR_OPERATION_ABORTED)
        e->Delete();
    else
        ReportFileError(e);
}

// Opens the input once (a FIFO's writer would lose what it wrote to a first opener) and
// decides how to read it. A failure is reported: without it a job that read nothing
// would look like one whose text is empty.
bool CWorkThread::OpenInput()
{
    CFileException error;
    if (!m_file.Open(m_strInputFile, CFile::modeRead | CFile::shareDenyWrite, &error)) {
        AfxMessageBox(error.GetErrorMessage(), MB_OK);
        return false;
    }
    m_hWaitingInput = m_file.m_hFile;
    bool begun = false;
    try {
        begun = m_decoder.Begin(m_file, m_encoding, [this] { return m_bStop != 0; });
        m_dwFileLength = m_decoder.Length();
    } catch (CFileException* e) {
        ReportInputError(e);
    }
    // Past this point the input is a regular file or its copy: no read waits.
    m_hWaitingInput = nullptr;
    return begun;
}

bool CWorkThread::PrepareJob()
{
    if (!OpenInput()) return false;
    m_bPrepared = 1;
    m_nFileIndex = 0;
    m_dwFilePos = 0;

    if (!m_drawBitmap.LoadBitmap(kPageTemplateBitmap) || !m_mirrorBitmap.LoadBitmap(kOutputTemplateBitmap))
        return false;
    m_pOldDrawBitmap = m_drawDC.SelectObject(&m_drawBitmap);
    m_pOldMirrorBitmap = m_mirrorDC.SelectObject(&m_mirrorBitmap);

    if (!m_font.CreateFontIndirect(&m_logFont)) return false;
    m_pOldFont = m_drawDC.SelectObject(&m_font);
    m_drawDC.SetBkMode(TRANSPARENT);

    m_pBitsBuffer = new BYTE[kBitsBufferSize];
    m_nTextPos = m_nTextCount = 0;
    return true;
}

void CWorkThread::FinishJob()
{
    if (!m_bPrepared) return;
    m_bPrepared = 0;
    if (m_pOldDrawBitmap) m_drawDC.SelectObject(m_pOldDrawBitmap);
    if (m_pOldFont) m_drawDC.SelectObject(m_pOldFont);
    if (m_pOldMirrorBitmap) m_mirrorDC.SelectObject(m_pOldMirrorBitmap);
    m_pOldDrawBitmap = m_pOldMirrorBitmap = nullptr;
    m_pOldFont = nullptr;
    m_drawBitmap.DeleteObject();
    m_mirrorBitmap.DeleteObject();
    m_font.DeleteObject();
    m_pWriter.reset();
    m_pImage = nullptr;
    delete[] m_pBitsBuffer;
    m_pBitsBuffer = nullptr;
}

bool CWorkThread::FillTextBuffer()
{
    if (m_nTextPos > 0) {
        std::memmove(m_textBuf, m_textBuf + m_nTextPos, static_cast<std::size_t>(m_nTextCount - m_nTextPos));
        m_nTextCount -= m_nTextPos;
        m_nTextPos = 0;
    }
    int got = -1;
    while (m_nTextCount < kTextBufferSize && got != 0) {
        got = m_decoder.Read(m_textBuf + m_nTextCount, kTextBufferSize - m_nTextCount);
        m_dwFilePos = m_decoder.Position();
        // What is known of the length: a file that grows while read never passes 100%.
        m_dwFileLength = m_decoder.Length();
        m_nTextCount += got;
        NormalizeText();
    }
    return m_nTextCount > 0;
}

void CWorkThread::NormalizeText()
{
    bool previousWasSpace = false;
    int pos = m_nTextPos;
    while (pos < m_nTextCount) {
        // Carriage returns, and spaces or line feeds after a space, go in one move per run.
        int run = 0;
        for (; pos + run < m_nTextCount; ++run) {
            char ch = m_textBuf[pos + run];
            bool removable = ch == '\r' || (previousWasSpace && (ch == ' ' || ch == '\n'));
            if (!removable) break;
        }
        if (run > 0) {
            DeleteChars(pos, run);
            continue;
        }
        if (m_textBuf[pos] == '\n') m_textBuf[pos] = ' ';
        previousWasSpace = m_textBuf[pos] == ' ';
        ++pos;
    }
}

void CWorkThread::DeleteChars(int nPos, int nCount)
{
    std::memmove(m_textBuf + nPos, m_textBuf + nPos + nCount, static_cast<std::size_t>(m_nTextCount - nPos - nCount));
    m_nTextCount -= nCount;
}

// The bytes of the whole characters from m_nTextPos that fit in a line: characters are
// added one by one until the next would pass the width. A character wider than the
// line still gets a line of its own, so that the job always moves on. *pLineHeight is
// the height of the line.
//
// One layout of a window gives the widths of all its prefixes, each as DrawText
// measures that prefix on its own line (the normalised text holds no line feed), where
// measuring each prefix anew cost a layout per character. A window that fits whole is
// doubled, as a line of narrow glyphs can hold more.
int CWorkThread::FitLine(int nBytesLeft, int* pLineHeight)
{
    const std::string_view rest(m_textBuf + m_nTextPos, static_cast<std::size_t>(nBytesLeft));
    const int maxWidth = m_nPageWidth - kRightMargin;
    for (int limit = kFitWindow;; limit *= 2) {
        const int window = WholeCharacters(rest, limit);
        int fitted = 0;
        SIZE size{};
        ::GetTextExtentExPoint(m_drawDC, rest.data(), window, maxWidth, &fitted, nullptr, &size);
        *pLineHeight = size.cy;
        if (fitted < window || window == nBytesLeft) return fitted > 0 ? fitted : CharacterLength(rest, 0);
    }
}

bool CWorkThread::RenderPage()
{
    if (!FillTextBuffer()) return false;
    const int width = m_nPageWidth;
    const int height = m_nPageHeight;

    CBrush white(RGB(255, 255, 255));
    CRect page(0, 0, width, height);
    m_drawDC.FillRect(&page, &white);
    m_drawDC.SetTextColor(RGB(0, 0, 0));
    m_drawDC.SetBkColor(RGB(255, 255, 255));
    m_drawDC.SetBkMode(TRANSPARENT);
    m_drawDC.SetTextJustification(100, 20);

    int lineTop = 0;
    int linesDrawn = 0;
    while (m_nTextPos < m_nTextCount) {
        if (m_textBuf[m_nTextPos] == ' ' && ++m_nTextPos >= m_nTextCount) break;
        int lineHeight = 0;
        int bytes = FitLine(m_nTextCount - m_nTextPos, &lineHeight);
        // A full page leaves the line for the next one; a line taller than a whole page
        // is drawn (cut) all the same, or the job would make blank pages forever.
        if (lineTop + lineHeight >= height && linesDrawn > 0) break;
        m_drawDC.ExtTextOut(kTextLeft, lineTop, 0, nullptr, m_textBuf + m_nTextPos, static_cast<UINT>(bytes), nullptr);
        ++linesDrawn;
        lineTop += lineHeight - m_nDelSize;
        m_nTextPos += bytes;
    }
    white.DeleteObject();
    MirrorPage();
    return true;
}

// The output canvas holds the page upside down, as a bottom-up bitmap file stores it:
// the page's rows are read at once and put into the next file image in reverse order.
void CWorkThread::MirrorPage()
{
    if (!m_pWriter) StartWriting();
    m_pImage = m_pWriter->NextImage();
    if (!m_pImage) return;  // an earlier page could not be written: the job ends
    BITMAP page{};
    BITMAP output{};
    m_drawBitmap.GetBitmap(&page);
    m_mirrorBitmap.GetBitmap(&output);
    const int rows = std::min<int>(m_nPageHeight, page.bmHeight);
    const auto rowBytes = static_cast<std::size_t>(std::min<int>({m_nPageWidth, page.bmWidth, output.bmWidth})) *
                          static_cast<std::size_t>(output.bmBitsPixel / 8);
    m_drawBits.resize(static_cast<std::size_t>(page.bmWidthBytes) * static_cast<std::size_t>(rows));
    m_drawBitmap.GetBitmapBits(static_cast<DWORD>(m_drawBits.size()), m_drawBits.data());
    BYTE* bits = m_pImage + kHeadersSize;
    for (int y = 0; y < rows; ++y) {
        const int target = m_nPageHeight - 1 - y;
        if (target >= output.bmHeight) continue;
        std::memcpy(bits + static_cast<std::ptrdiff_t>(target) * output.bmWidthBytes,
                    m_drawBits.data() + static_cast<std::ptrdiff_t>(y) * page.bmWidthBytes, rowBytes);
    }
}

// The window hears of the percentage when it changes, and after the last page always,
// so that a page costs no cross-thread round trip of its own.
void CWorkThread::ReportProgress(bool bLastPage)
{
    // 64-bit arithmetic: exact for any file size. An empty file counts as fully read.
    int percent = m_dwFileLength == 0 ? 100 : static_cast<int>(m_dwFilePos * 100 / m_dwFileLength);
    if (percent == m_nPercentSent && !bLastPage) return;
    m_nPercentSent = percent;
    ::SendMessage(m_hNotifyWnd, WM_WORK_NOTIFY, reinterpret_cast<WPARAM>(&percent), 0);
}
