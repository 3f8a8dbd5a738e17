#include "app/PageFileWriter.h"

#include <system_error>

PageFileWriter::PageFileWriter(const BYTE* blankImage, int nImageBytes, std::atomic<int>& pagesWritten)
    : m_pagesWritten(pagesWritten)
{
    for (Page& page : m_ring) page.image.assign(blankImage, blankImage + nImageBytes);
    try {
        m_thread = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        // No thread to be had: Submit writes each page itself.
    }
}

PageFileWriter::~PageFileWriter()
{
    if (CFileException* error = Finish()) error->Delete();
}

BYTE* PageFileWriter::NextImage()
{
    std::unique_lock lock(m_lock);
    m_changed.wait(lock, [this] { return m_nWaiting < kRingPages || m_pError != nullptr; });
    if (m_pError != nullptr) return nullptr;
    m_nFilling = (m_nOldest + m_nWaiting) % kRingPages;
    return m_ring[static_cast<std::size_t>(m_nFilling)].image.data();
}

void PageFileWriter::Submit(const CString& path)
{
    std::unique_lock lock(m_lock);
    // After a failure the ring was emptied and nothing more is written.
    if (m_pError != nullptr) return;
    m_ring[static_cast<std::size_t>(m_nFilling)].path = path;
    ++m_nWaiting;
    if (!m_thread.joinable()) {
        WriteOldest(lock);
        return;
    }
    lock.unlock();
    m_changed.notify_all();
}

CFileException* PageFileWriter::Finish()
{
    {
        std::lock_guard lock(m_lock);
        m_bFinishing = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable()) m_thread.join();
    std::lock_guard lock(m_lock);
    CFileException* error = m_pError;
    m_pError = nullptr;
    return error;
}

void PageFileWriter::Run()
{
    std::unique_lock lock(m_lock);
    for (;;) {
        m_changed.wait(lock, [this] { return m_nWaiting > 0 || m_bFinishing; });
        if (m_nWaiting == 0 || !WriteOldest(lock)) return;
    }
}

// Writes the oldest waiting page with the lock let go meanwhile; false when its file
// failed, which ends the writing: the pages after it are dropped.
bool PageFileWriter::WriteOldest(std::unique_lock<std::mutex>& lock)
{
    const Page& page = m_ring[static_cast<std::size_t>(m_nOldest)];
    lock.unlock();
    CFileException* error = nullptr;
    try {
        WriteFile(page);
        ++m_pagesWritten;
    } catch (CFileException* e) {
        error = e;
    }
    lock.lock();
    m_nOldest = (m_nOldest + 1) % kRingPages;
    --m_nWaiting;
    if (error != nullptr) {
        m_pError = error;
        m_nOldest = (m_nOldest + m_nWaiting) % kRingPages;
        m_nWaiting = 0;
    }
    m_changed.notify_all();
    return error == nullptr;
}

// A new file is made (an existing one replaced) and the page's headers and bits go
// out in one write.
void PageFileWriter::WriteFile(const Page& page)
{
    CFile file(page.path, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite);
    file.Write(page.image.data(), static_cast<UINT>(page.image.size()));
    file.Close();
}
