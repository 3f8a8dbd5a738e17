// Converts deterministic 1 MB English and Russian texts with DejaVu Sans 12 px and
// compares the page rate with merely writing as many 65,590-byte files (the ratio), in
// a folder on tmpfs and in one on disk. Each job runs in a child process of its own,
// so that its peak memory can be read separately; a quarter-size English job shows
// whether the peak grows with the input.
//
//   bench_render [--tmpfs DIR] [--disk DIR]
//                            run everything and print a table per folder; the defaults
//                            are /dev/shm (or the temporary folder when that is tmpfs)
//                            and the current folder
//   bench_render --job F D   (internal) convert F into D and print pages and seconds
//   bench_render --write-only N D
//                            write N files of 65,590 bytes into D and print files/s
//
// BENCH_RENDER_JOB names another bench_render binary to run the jobs (an older build,
// to compare both under the same conditions).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../common/bench_folders.h"
#include "app/WorkThread.h"
#include <zelmtools/framework/windows/CWnd.h>

namespace fs = std::filesystem;
using bench::DefaultTmpfsFolder;
using bench::IsTmpfs;
using Clock = std::chrono::steady_clock;

namespace {

class CEndWnd : public CWnd {
public:
    explicit CEndWnd(QEventLoop& loop) : m_loop(loop) {}
    CWorkThread* m_pWorker = nullptr;
    int m_nPages = 0;

protected:
    LRESULT OnWorkNotify(WPARAM wParam, LPARAM lParam)
    {
        if (wParam != 0 && m_pWorker) m_nPages = m_pWorker->GetPagesWritten();
        if (wParam == 0 && lParam == 1) m_loop.quit();
        return 1;
    }
    DECLARE_MESSAGE_MAP()

private:
    QEventLoop& m_loop;
};

BEGIN_MESSAGE_MAP(CEndWnd, CWnd)
ON_MESSAGE(WM_WORK_NOTIFY, OnWorkNotify)
END_MESSAGE_MAP()

int RunJob(int argc, char** argv, const std::string& input, const std::string& folder)
{
    QCoreApplication app(argc, argv);
    QEventLoop loop;
    CEndWnd window(loop);
    window.CreateMessageOnlyWindow();
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    auto start = Clock::now();
    auto* worker = static_cast<CWorkThread*>(
        AfxBeginThread(RUNTIME_CLASS(CWorkThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
    window.m_pWorker = worker;
    WorkParams params;
    params.strInputFile = input.c_str();
    params.hNotifyWnd = window.GetSafeHwnd();
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof params.logFont, &params.logFont);
    params.pScreenDC = &screen;
    params.strOutputFolder = folder.c_str();
    worker->StartJob(params);
    loop.exec();
    zelm::framework::WaitForFrameworkThreads();
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    ::ReleaseDC(nullptr, screen.Detach());
    std::printf("%d %.6f\n", window.m_nPages, seconds);
    return 0;
}

std::string MakeText(const std::vector<std::string>& words, std::size_t bytes)
{
    std::string text;
    unsigned seed = 12345;
    while (text.size() < bytes) {
        seed = seed * 1103515245u + 12345u;
        text += words[(seed >> 16) % words.size()];
        text += (seed >> 8) % 11 == 0 ? ".\n" : " ";
    }
    return text;
}

struct JobFigures {
    int pages = 0;
    double seconds = 0;
    long peakKiB = 0;
};

JobFigures RunChild(const char* self, const std::string& input, const std::string& folder)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return {};
    pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        execl(self, self, "--job", input.c_str(), folder.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    char buffer[128] = {};
    ssize_t got = read(pipeFds[0], buffer, sizeof buffer - 1);
    close(pipeFds[0]);
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    JobFigures figures;
    if (got > 0) std::sscanf(buffer, "%d %lf", &figures.pages, &figures.seconds);
    figures.peakKiB = usage.ru_maxrss;
    return figures;
}

double WriteFilesRate(const std::string& folder, int count)
{
    std::vector<char> page(65590, '\x7f');
    auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        std::ofstream out(folder + "W" + std::to_string(i) + ".bmp", std::ios::binary);
        out.write(page.data(), static_cast<std::streamsize>(page.size()));
    }
    return count / std::chrono::duration<double>(Clock::now() - start).count();
}

struct Case {
    const char* name;
    std::string text;
};

std::vector<Case> MakeCases()
{
    const std::vector<std::string> english = {"the", "keeper", "climbed", "ninety-one", "steps", "and", "wrote",
                                              "one", "line", "about", "wind", "sea", "ships", "that", "passed",
                                              "grey", "calm", "harbour", "notebook", "evening"};
    const std::vector<std::string> russian = {"смотритель", "поднимался", "по", "ступенькам", "и", "записывал",
                                              "ветер", "море", "суда", "тетрадь", "маяк", "штиль", "серо",
                                              "вечер", "каждый", "строку", "рыбаки", "погоду"};
    return {{"English 256 KB", MakeText(english, 256 * 1024)},
            {"English 1 MB", MakeText(english, 1024 * 1024)},
            {"Russian 1 MB", MakeText(russian, 1024 * 1024)}};
}

// Runs every case in a folder of its own under base and prints its table; returns the
// ratios of the 1 MB cases.
std::vector<double> RunLocation(const char* self, const char* label, const fs::path& base,
                                const std::vector<Case>& cases)
{
    fs::path work = base / ("bench_render." + std::to_string(getpid()));
    fs::create_directories(work);
    std::printf("\n%s: %s (%s)\n", label, work.c_str(), IsTmpfs(work) ? "tmpfs" : "not tmpfs");
    std::printf("%-16s %8s %10s %12s %14s %10s %10s\n", "input", "pages", "seconds", "pages/s", "write-only/s",
                "ratio", "peak MiB");
    // Each case runs the job and the plain writes four times, alternating, each into a
    // fresh folder, and keeps the best of each: the file system's own work on new files
    // (inode allocation after earlier deletes) then weighs the same on both sides.
    constexpr int kAttempts = 4;
    std::vector<double> ratios;
    int round = 0;
    for (const auto& c : cases) {
        std::string input = (work / "input.txt").string();
        std::ofstream(input, std::ios::binary) << c.text;
        JobFigures best;
        double writeRate = 0;
        for (int attempt = 0; attempt < kAttempts; ++attempt) {
            std::string pages = (work / ("pages" + std::to_string(round))).string() + "/";
            std::string plain = (work / ("plain" + std::to_string(round++))).string() + "/";
            fs::create_directories(pages);
            fs::create_directories(plain);
            // Each run starts with nothing left for the disk to write back from the one
            // before, which would otherwise slow down whichever run meets it; and the two
            // take turns at going first, as the first to make files after the deletes
            // of the last attempt pays for the search for free inodes.
            auto runJob = [&] {
                sync();
                JobFigures job = RunChild(self, input, pages);
                if (best.seconds == 0 || job.seconds < best.seconds) best = job;
            };
            auto writePlain = [&] {
                sync();
                writeRate = std::max(writeRate, WriteFilesRate(plain, best.pages));
            };
            if (attempt % 2 == 0) {
                runJob();
                writePlain();
            } else {
                writePlain();
                runJob();
            }
            fs::remove_all(pages);
            fs::remove_all(plain);
        }
        double pageRate = best.pages / best.seconds;
        double ratio = pageRate / writeRate;
        if (c.text.size() >= 1024 * 1024) ratios.push_back(ratio);
        std::printf("%-16s %8d %10.3f %12.0f %14.0f %10.2f %10.1f\n", c.name, best.pages, best.seconds, pageRate,
                    writeRate, ratio, best.peakKiB / 1024.0);
    }
    fs::remove_all(work);
    return ratios;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--job") == 0) return RunJob(argc, argv, argv[2], argv[3]);
    if (argc == 4 && std::strcmp(argv[1], "--write-only") == 0) {
        std::printf("%.0f\n", WriteFilesRate(argv[3], std::atoi(argv[2])));
        return 0;
    }

    fs::path tmpfs = DefaultTmpfsFolder();
    fs::path disk = fs::current_path();
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--tmpfs") == 0)
            tmpfs = argv[i + 1];
        else if (std::strcmp(argv[i], "--disk") == 0)
            disk = argv[i + 1];
    }
    if (argc % 2 == 0) {
        std::fprintf(stderr, "usage: bench_render [--tmpfs DIR] [--disk DIR]\n");
        return 2;
    }
    const char* jobBinary = std::getenv("BENCH_RENDER_JOB") ? std::getenv("BENCH_RENDER_JOB") : argv[0];
    const std::vector<Case> cases = MakeCases();
    std::vector<double> onTmpfs = RunLocation(jobBinary, "tmpfs", tmpfs, cases);
    std::vector<double> onDisk = RunLocation(jobBinary, "disk", disk, cases);

    auto worst = [](const std::vector<double>& ratios) { return *std::min_element(ratios.begin(), ratios.end()); };
    std::printf("\nratio = job pages/s over write-only files/s (goal: at least 0.5; 1 MB texts, worst of two)\n");
    std::printf("ratio on tmpfs: %.2f\nratio on disk:  %.2f\n", worst(onTmpfs), worst(onDisk));
    return 0;
}
