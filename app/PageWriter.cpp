// The bitmap file output of the render worker.
#include <algorithm>

#include "app/WorkThread.h"
#include "framework/ui/MessageBox.h"

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
static_assert(CWorkThread::kHeadersSize == kFileHeaderSize + kInfoHeaderSize);

void Put16(BYTE* at, DWORD value)
{
    at[0] = static_cast<BYTE>(value);
    at[1] = static_cast<BYTE>(value >> 8);
}

void Put32(BYTE* at, DWORD value)
{
    Put16(at, value & 0xFFFF);
    Put16(at + 2, value >> 16);
}

}  // namespace

CString CWorkThread::FileNameForIndex(int nIndex)
{
    CString name;
    if (nIndex <= 9)
        name.Format("T000%d.bmp", nIndex);
    else if (nIndex <= 99)
        name.Format("T00%d.bmp", nIndex);
    else if (nIndex <= 999)
        name.Format("T0%d.bmp", nIndex);
    else
        name.Format("T%d.bmp", nIndex);
    return name;
}

// The number is used up before the file is made, so a failed file keeps its number.
CString CWorkThread::MakeFileName()
{
    CString name = FileNameForIndex(m_nFileIndex);
    ++m_nFileIndex;
    return m_strOutputFolder + name;
}

// The page file's headers followed by the output canvas's bits as they stand before
// a page is mirrored in; each page then only replaces the rows it covers.
int CWorkThread::PrepareImage(BYTE* pImage)
{
    BITMAP info{};
    m_mirrorBitmap.GetBitmap(&info);
    int paletteSize = m_mirrorDC.GetDeviceCaps(SIZEPALETTE);
    auto bytes = static_cast<int>(m_mirrorBitmap.GetBitmapBits(kBitsBufferSize - kHeadersSize, pImage + kHeadersSize));
    WriteHeaders(pImage, info.bmBitsPixel, paletteSize, bytes);
    return kHeadersSize + bytes;
}

// The page files are written in order on a thread of their own, from images that
// start as the blank canvas with its headers.
void CWorkThread::StartWriting()
{
    int bytes = PrepareImage(m_pBitsBuffer);
    m_pWriter = std::make_unique<PageFileWriter>(m_pBitsBuffer, bytes, m_nPagesWritten);
}

// Hands the mirrored page over to be written; false once a page could not be written.
bool CWorkThread::WritePage()
{
    CString path = MakeFileName();
    if (!m_pImage) return false;
    m_pWriter->Submit(path);
    m_pImage = nullptr;
    return true;
}

// Waits for every page handed over; a file that could not be written is reported here,
// on the job's own thread, once.
bool CWorkThread::FinishWriting()
{
    CFileException* error = m_pWriter ? m_pWriter->Finish() : nullptr;
    if (!error) return true;
    ReportFileError(error);
    return false;
}

void CWorkThread::ReportFileError(CFileException* e)
{
    // Whole, however long the folder's path: the file's name and the reason come last.
    AfxMessageBox(e->GetErrorMessage(), MB_OK);
    e->Delete();
}

void CWorkThread::WriteHeaders(BYTE* pHeaders, int nBitsPerPixel, int nPaletteSize, int nBytes)
{
    BYTE* header = pHeaders;
    BYTE* info = header + kFileHeaderSize;
    const auto imageSize = static_cast<DWORD>(nBytes);
    const auto paletteSize = static_cast<DWORD>(nPaletteSize);

    std::fill(header, header + kHeadersSize, BYTE{0});
    Put16(header + 0, 0x4D42);  // "BM"
    Put32(header + 2, imageSize + 4 * paletteSize + kHeadersSize);
    Put32(header + 10, kHeadersSize);
    Put32(info + 0, kInfoHeaderSize);
    Put32(info + 4, static_cast<DWORD>(m_nPageWidth));
    Put32(info + 8, static_cast<DWORD>(m_nPageHeight));
    Put16(info + 12, 1);
    Put16(info + 14, static_cast<DWORD>(nBitsPerPixel));
    Put32(info + 20, imageSize);
    Put32(info + 32, paletteSize & 0xFF);
    Put32(info + 36, paletteSize & 0xFF);
}
