// The bitmap file output of the render worker.
#include <algorithm>

#include "app/WorkThread.h"
#include "framework/ui/MessageBox.h"

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;

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

bool CWorkThread::WritePage()
{
    CString path = MakeFileName();
    try {
        CFile file(path, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite);
        BITMAP info{};
        m_mirrorBitmap.GetBitmap(&info);
        int paletteSize = m_mirrorDC.GetDeviceCaps(SIZEPALETTE);
        auto bytes = static_cast<int>(m_mirrorBitmap.GetBitmapBits(kBitsBufferSize, m_pBitsBuffer));
        WriteBitmapFile(file, info.bmBitsPixel, paletteSize, bytes);
        file.Close();
        ++m_nPagesWritten;
        return true;
    } catch (CFileException* e) {
        ReportFileError(e);
        return false;
    }
}

void CWorkThread::ReportFileError(CFileException* e)
{
    // Whole, however long the folder's path: the file's name and the reason come last.
    AfxMessageBox(e->GetErrorMessage(), MB_OK);
    e->Delete();
}

void CWorkThread::WriteBitmapFile(CFile& file, int nBitsPerPixel, int nPaletteSize, int nBytes)
{
    BYTE header[kFileHeaderSize + kInfoHeaderSize] = {};
    BYTE* info = header + kFileHeaderSize;
    const auto imageSize = static_cast<DWORD>(nBytes);
    const auto paletteSize = static_cast<DWORD>(nPaletteSize);

    Put16(header + 0, 0x4D42);  // "BM"
    Put32(header + 2, imageSize + 4 * paletteSize + kFileHeaderSize + kInfoHeaderSize);
    Put32(header + 10, kFileHeaderSize + kInfoHeaderSize);
    Put32(info + 0, kInfoHeaderSize);
    Put32(info + 4, static_cast<DWORD>(m_nPageWidth));
    Put32(info + 8, static_cast<DWORD>(m_nPageHeight));
    Put16(info + 12, 1);
    Put16(info + 14, static_cast<DWORD>(nBitsPerPixel));
    Put32(info + 20, imageSize);
    Put32(info + 32, paletteSize & 0xFF);
    Put32(info + 36, paletteSize & 0xFF);

    file.Write(header, sizeof header);
    file.Write(m_pBitsBuffer, imageSize);
}
