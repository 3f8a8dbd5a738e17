#pragma once
// Writes the page files of a job on a thread of its own, in the order the pages are
// handed over, from a small ring of page images: the job lays out the next pages while
// earlier ones are written, and no more than a few pages ever wait (memory stays flat).

#include <array>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "framework/files/CFile.h"
#include <zelmtools/framework/strings/CString.h>

class PageFileWriter {
public:
    static constexpr int kRingPages = 4;

    // Every image of the ring starts as a copy of blankImage (headers and the canvas's
    // bits); pagesWritten counts the files written.
    PageFileWriter(const BYTE* blankImage, int nImageBytes, std::atomic<int>& pagesWritten);
    ~PageFileWriter();
    PageFileWriter(const PageFileWriter&) = delete;
    PageFileWriter& operator=(const PageFileWriter&) = delete;

    // The next image to fill, once one is free; null after a file could not be written,
    // when nothing more is written.
    BYTE* NextImage();
    // Hands the image from NextImage over to be written as the file at path.
    void Submit(const CString& path);
    // Waits until every page handed over is written and the thread has ended. Returns
    // the file error that stopped the writing (the caller deletes it), or null.
    CFileException* Finish();

private:
    struct Page {
        std::vector<BYTE> image;
        CString path;
    };

    void Run();
    bool WriteOldest(std::unique_lock<std::mutex>& lock);
    void WriteFile(const Page& page);

    std::array<Page, kRingPages> m_ring;
    std::atomic<int>& m_pagesWritten;
    std::mutex m_lock;
    std::condition_variable m_changed;
    int m_nOldest = 0;   // the first page handed over and not yet written
    int m_nWaiting = 0;  // pages handed over and not yet written
    int m_nFilling = 0;  // the image that NextImage gave out
    bool m_bFinishing = false;
    CFileException* m_pError = nullptr;
    std::thread m_thread;
};
