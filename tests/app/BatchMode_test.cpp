// The batch command line as scripts use it: the real program, its output and exit codes.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string_view>
#include <thread>

#include "JobRunner.h"
#include "app/BatchOptions.h"
#include "support/temp_dir.h"

extern char** environ;

namespace {

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// The environment without any display, as on a server.
std::vector<char*> EnvironmentWithoutDisplay()
{
    std::vector<char*> env;
    for (char** entry = environ; *entry; ++entry) {
        std::string_view name(*entry);
        if (!name.starts_with("DISPLAY=") && !name.starts_with("WAYLAND_DISPLAY=") &&
            !name.starts_with("QT_QPA_PLATFORM="))
            env.push_back(*entry);
    }
    env.push_back(nullptr);
    return env;
}

// Runs scrivane with the arguments; optionally sends SIGINT after a delay.
ProgramRun RunScrivane(std::vector<std::string> args, const TempDir& scratch, int interruptAfterMs = -1,
                       bool withoutDisplay = false)
{
    std::string outPath = scratch.file("stdout.txt"), errPath = scratch.file("stderr.txt");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    args.insert(args.begin(), SCRIVANE_EXE);
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    ProgramRun run;
    std::vector<char*> noDisplay = EnvironmentWithoutDisplay();
    char** env = withoutDisplay ? noDisplay.data() : environ;
    if (posix_spawn(&pid, SCRIVANE_EXE, &actions, nullptr, argv.data(), env) != 0) return run;
    posix_spawn_file_actions_destroy(&actions);
    if (interruptAfterMs >= 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(interruptAfterMs));
        kill(pid, SIGINT);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.out = ReadFile(outPath);
    run.err = ReadFile(errPath);
    return run;
}

int CountPages(const std::string& folder)
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        count += entry.path().extension() == ".bmp";
    return count;
}

}  // namespace

TEST(BatchOptions, ParsesValuesAndRejectsBadOnes)
{
    std::vector<std::string> args = {"--batch", "in.txt", "-o", "pages", "--font=DejaVu Serif", "-s", "14",
                                     "--bold", "-d", "0", "--encoding", "cp1251", "-q"};
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    BatchOptions options;
    ASSERT_FALSE(ParseBatchOptions(static_cast<int>(argv.size()), argv.data(), options));
    EXPECT_EQ(options.inputFile, "in.txt");
    EXPECT_EQ(options.outputFolder, "pages/");
    EXPECT_EQ(options.fontFamily, "DejaVu Serif");
    EXPECT_EQ(options.sizePx, 14);
    EXPECT_TRUE(options.bold && options.quiet && !options.italic);
    EXPECT_EQ(options.delSize, 0);
    EXPECT_EQ(options.encoding, TextEncoding::Windows1251);

    for (std::vector<std::string> bad : {std::vector<std::string>{"--batch", "in.txt", "-d", "31"},
                                         {"--batch", "in.txt", "-d", "x"},
                                         {"--batch", "in.txt", "--size"},
                                         {"--batch"},
                                         {"--batch", "a.txt", "b.txt"},
                                         {"--batch", "in.txt", "--encoding", "koi8"},
                                         {"--batch", "in.txt", "--frobnicate"}}) {
        std::vector<char*> badArgv;
        for (auto& arg : bad) badArgv.push_back(arg.data());
        BatchOptions ignored;
        EXPECT_TRUE(ParseBatchOptions(static_cast<int>(badArgv.size()), badArgv.data(), ignored)) << bad.back();
    }
}

TEST(BatchMode, ConvertsTheSampleAndSaysWhereThePagesAre)
{
    TempDir out;
    ProgramRun run = RunScrivane({"--batch", SAMPLE_TEXT, "-o", out.path().string()}, out);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    int pages = CountPages(out.path().string());
    EXPECT_GT(pages, 3);
    EXPECT_NE(run.out.find(std::to_string(pages) + " pages written to " + out.folder()), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "") << "no progress bar when stderr is not a terminal";
}

TEST(BatchMode, ExitCodesForUsageAndFileErrors)
{
    TempDir dir;
    WriteFile(dir.file("in.txt"), "some text");
    EXPECT_EQ(RunScrivane({"--batch", dir.file("in.txt"), "-d", "45"}, dir).exitCode, 2);
    EXPECT_EQ(RunScrivane({"--help"}, dir).exitCode, 0);
    ProgramRun noDisplay = RunScrivane({}, dir, -1, true);
    EXPECT_EQ(noDisplay.exitCode, 2);
    EXPECT_NE(noDisplay.err.find("--batch"), std::string::npos) << noDisplay.err;

    ProgramRun missingInput = RunScrivane({"--batch", dir.file("nope.txt")}, dir);
    EXPECT_EQ(missingInput.exitCode, 1);
    EXPECT_EQ(missingInput.err, "scrivane: " + dir.file("nope.txt") + " was not found.\n");

    ProgramRun missingFolder = RunScrivane({"--batch", dir.file("in.txt"), "-o", dir.file("no/such/dir")}, dir);
    EXPECT_EQ(missingFolder.exitCode, 1);
    EXPECT_NE(missingFolder.err.find(dir.file("no/such/dir/T0000.bmp")), std::string::npos) << missingFolder.err;

    TempDir empty;
    WriteFile(dir.file("empty.txt"), "");
    ProgramRun emptyInput = RunScrivane({"--batch", dir.file("empty.txt"), "-o", empty.folder()}, dir);
    EXPECT_EQ(emptyInput.exitCode, 0);
    EXPECT_EQ(CountPages(empty.path().string()), 0);
}

TEST(BatchMode, InterruptWritesThePageBeingMadeAndExits130)
{
    TempDir dir;
    std::string text;
    while (text.size() < 4'000'000) text += "The keeper wrote one line every evening about the wind and the sea. ";
    WriteFile(dir.file("big.txt"), text);
    TempDir out;
    ProgramRun run = RunScrivane({"--batch", dir.file("big.txt"), "-o", out.folder()}, dir, 500);
    EXPECT_EQ(run.exitCode, 130) << run.err;
    int pages = CountPages(out.path().string());
    EXPECT_GT(pages, 0);
    EXPECT_LT(pages, 30000) << "the job stopped early";
    // Every page written is complete.
    for (const auto& entry : std::filesystem::directory_iterator(out.path()))
        EXPECT_EQ(std::filesystem::file_size(entry.path()), 65590u) << entry.path();
}
