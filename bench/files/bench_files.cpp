// Copies and deletes a tree of small files with the library (CopyFileWithProgress,
// CompletelyDeleteDirectory) and with the system's tools (cp -r, rm -rf) on the same
// tree, in a folder on tmpfs and in one on disk, and prints the times and ratios
// (ours over theirs: below 1 is faster). Each figure is the median of the runs; the
// two sides take turns at going first.
//
//   bench_files [--tmpfs DIR] [--disk DIR] [--files N] [--runs R]
//       defaults: /dev/shm (or the temporary folder when that is tmpfs), the current
//       folder, 10000 files (100 folders of 100, 64 to 4159 bytes each), 5 runs
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <zelmtools/util/FileUtils.h>
#include "../common/bench_folders.h"

namespace fs = std::filesystem;
using bench::DefaultTmpfsFolder;
using bench::IsTmpfs;
using Clock = std::chrono::steady_clock;

namespace {

void MakeTree(const fs::path& root, int files)
{
    constexpr int kPerFolder = 100;
    std::string bytes;
    for (int i = 0; i < files; ++i) {
        fs::path folder = root / ("d" + std::to_string(i / kPerFolder));
        if (i % kPerFolder == 0) fs::create_directories(folder);
        bytes.assign(static_cast<std::size_t>(64 + (i * 2654435761u) % 4096), static_cast<char>('a' + i % 26));
        std::ofstream(folder / ("f" + std::to_string(i) + ".txt"), std::ios::binary) << bytes;
    }
}

bool Run(const std::vector<std::string>& args)
{
    pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv;
        for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Seconds the step takes; dirty pages are written out first, so that a step does not
// pay for the one before it.
double Seconds(const std::function<bool()>& step)
{
    sync();
    auto start = Clock::now();
    if (!step()) {
        std::fprintf(stderr, "bench_files: a step failed\n");
        std::exit(1);
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Times {
    std::vector<double> ourCopy, theirCopy, ourDelete, theirDelete;
};

void RunLocation(const char* label, const fs::path& base, int files, int runs)
{
    fs::path work = base / ("bench_files." + std::to_string(getpid()));
    fs::path tree = work / "tree", ours = work / "ours", theirs = work / "theirs";
    MakeTree(tree, files);
    Times times;
    auto ourCopy = [&] { return CopyFileWithProgress(nullptr, tree.c_str(), ours.c_str(), "bench") == 1; };
    auto theirCopy = [&] { return Run({"cp", "-r", tree.string(), theirs.string()}); };
    auto ourDelete = [&] { return CompletelyDeleteDirectory(ours.c_str()) == 1; };
    auto theirDelete = [&] { return Run({"rm", "-rf", theirs.string()}); };
    // Every other run lets the tools go first, so that neither side always meets the
    // file system just after the other's work.
    for (int run = 0; run < runs; ++run) {
        bool oursFirst = run % 2 == 0;
        double first = Seconds(oursFirst ? std::function<bool()>(ourCopy) : theirCopy);
        double second = Seconds(oursFirst ? std::function<bool()>(theirCopy) : ourCopy);
        times.ourCopy.push_back(oursFirst ? first : second);
        times.theirCopy.push_back(oursFirst ? second : first);
        first = Seconds(oursFirst ? std::function<bool()>(ourDelete) : theirDelete);
        second = Seconds(oursFirst ? std::function<bool()>(theirDelete) : ourDelete);
        times.ourDelete.push_back(oursFirst ? first : second);
        times.theirDelete.push_back(oursFirst ? second : first);
    }
    fs::remove_all(work);

    std::printf("\n%s: %s (%s), %d files, median of %d runs\n", label, base.c_str(),
                IsTmpfs(base) ? "tmpfs" : "not tmpfs", files, runs);
    std::printf("%-12s %10s %10s %8s\n", "operation", "ours s", "theirs s", "ratio");
    auto row = [](const char* name, const std::vector<double>& our, const std::vector<double>& their) {
        std::printf("%-12s %10.3f %10.3f %8.2f\n", name, Median(our), Median(their), Median(our) / Median(their));
    };
    row("copy", times.ourCopy, times.theirCopy);
    row("delete", times.ourDelete, times.theirDelete);
}

}  // namespace

int main(int argc, char** argv)
{
    fs::path tmpfs = DefaultTmpfsFolder();
    fs::path disk = fs::current_path();
    int files = 10000, runs = 5;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--tmpfs") == 0)
            tmpfs = argv[i + 1];
        else if (std::strcmp(argv[i], "--disk") == 0)
            disk = argv[i + 1];
        else if (std::strcmp(argv[i], "--files") == 0)
            files = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::atoi(argv[i + 1]);
        else
            argc = 0;
    }
    if (argc % 2 == 0 || files < 1 || runs < 1) {
        std::fprintf(stderr, "usage: bench_files [--tmpfs DIR] [--disk DIR] [--files N] [--runs R]\n");
        return 2;
    }
    std::printf("ratio = ours over theirs (cp -r, rm -rf); below 1 is faster\n");
    RunLocation("tmpfs", tmpfs, files, runs);
    RunLocation("disk", disk, files, runs);
    return 0;
}
