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
#include <utility>

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

struct Spawned {
    pid_t pid = -1;
    std::string outPath;
    std::string errPath;
};

// Starts scrivane with the arguments; stdinFd, when given, becomes its standard input.
Spawned StartScrivane(std::vector<std::string> args, const TempDir& scratch, bool withoutDisplay = false,
                      int stdinFd = -1)
{
    Spawned spawned{-1, scratch.file("stdout.txt"), scratch.file("stderr.txt")};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdinFd >= 0) posix_spawn_file_actions_adddup2(&actions, stdinFd, 0);
    posix_spawn_file_actions_addopen(&actions, 1, spawned.outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, spawned.errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    args.insert(args.begin(), SCRIVANE_EXE);
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<char*> noDisplay = EnvironmentWithoutDisplay();
    char** env = withoutDisplay ? noDisplay.data() : environ;
    if (posix_spawn(&spawned.pid, SCRIVANE_EXE, &actions, nullptr, argv.data(), env) != 0) spawned.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return spawned;
}

// Waits for the program to end; one that is still running after the time limit is
// killed and reported as exit code -1.
ProgramRun FinishScrivane(const Spawned& spawned, std::chrono::seconds limit = std::chrono::seconds(60))
{
    ProgramRun run;
    if (spawned.pid < 0) return run;
    int status = 0;
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (waitpid(spawned.pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(spawned.pid, SIGKILL);
            waitpid(spawned.pid, &status, 0);
            run.err = "still running after the time limit";
            return run;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.out = ReadFile(spawned.outPath);
    run.err = ReadFile(spawned.errPath);
    return run;
}

// Runs scrivane with the arguments; optionally sends a signal after a delay.
ProgramRun RunScrivane(std::vector<std::string> args, const TempDir& scratch, int signalAfterMs = -1,
                       bool withoutDisplay = false, int signal = SIGINT)
{
    Spawned spawned = StartScrivane(std::move(args), scratch, withoutDisplay);
    if (signalAfterMs >= 0 && spawned.pid > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(signalAfterMs));
        kill(spawned.pid, signal);
    }
    return FinishScrivane(spawned);
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
    EXPECT_TRUE(options.bold.value_or(false) && options.quiet && !options.italic);
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

TEST(BatchOptions, StylesCanBeSwitchedOffAndDoubleDashEndsTheOptions)
{
    auto parse = [](std::vector<std::string> args, BatchOptions& options) {
        std::vector<char*> argv;
        for (auto& arg : args) argv.push_back(arg.data());
        return ParseBatchOptions(static_cast<int>(argv.size()), argv.data(), options);
    };
    BatchOptions regular;
    ASSERT_FALSE(parse({"--batch", "--bold", "--regular", "--no-underline", "-"}, regular));
    EXPECT_EQ(regular.bold, false) << "the last style option counts";
    EXPECT_EQ(regular.italic, false);
    EXPECT_TRUE(regular.noUnderline);
    EXPECT_EQ(regular.inputFile, "-") << "the standard input";

    BatchOptions stored;
    ASSERT_FALSE(parse({"--batch", "in.txt"}, stored));
    EXPECT_FALSE(stored.bold.has_value()) << "the stored font's style stays";

    BatchOptions dashed;
    ASSERT_FALSE(parse({"--batch", "-o", "out", "--", "--bold=x"}, dashed));
    EXPECT_EQ(dashed.inputFile, "--bold=x");
    EXPECT_FALSE(dashed.bold.has_value());
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
    EXPECT_EQ(missingFolder.err, "scrivane: the output folder " + dir.file("no/such/dir") + " does not exist\n");

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

TEST(BatchMode, ReadsStandardInputPipesAndFifosOnce)
{
    TempDir dir;
    for (const char* input : {"-", "/dev/stdin"}) {
        TempDir out;
        int pipeFds[2];
        ASSERT_EQ(pipe2(pipeFds, O_CLOEXEC), 0);
        Spawned spawned = StartScrivane({"--batch", input, "-o", out.folder()}, dir, false, pipeFds[0]);
        close(pipeFds[0]);
        ASSERT_EQ(write(pipeFds[1], "hello", 5), 5);
        close(pipeFds[1]);
        ProgramRun run = FinishScrivane(spawned);
        EXPECT_EQ(run.exitCode, 0) << input << ": " << run.err;
        EXPECT_EQ(run.out, "1 page written to " + out.folder() + ": T0000.bmp\n") << input;
    }

    // The program opens the FIFO before its writer comes; what the writer sends is kept.
    std::string fifo = dir.file("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    TempDir out;
    Spawned spawned = StartScrivane({"--batch", fifo, "-o", out.folder()}, dir);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    int writer = open(fifo.c_str(), O_WRONLY);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(write(writer, "fifo text", 9), 9);
    close(writer);
    ProgramRun run = FinishScrivane(spawned);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(CountPages(out.path().string()), 1);
}

TEST(BatchMode, TermAndHangUpStopLikeCtrlCWithWholePagesAndASummary)
{
    TempDir dir;
    std::string text;
    while (text.size() < 4'000'000) text += "The keeper wrote one line every evening about the wind and the sea. ";
    WriteFile(dir.file("big.txt"), text);
    for (auto [signal, exitCode] : {std::pair{SIGTERM, 143}, std::pair{SIGHUP, 129}}) {
        TempDir out;
        ProgramRun run = RunScrivane({"--batch", dir.file("big.txt"), "-o", out.folder()}, dir, 700, false, signal);
        EXPECT_EQ(run.exitCode, exitCode) << run.err;
        int pages = CountPages(out.path().string());
        EXPECT_GT(pages, 0);
        for (const auto& entry : std::filesystem::directory_iterator(out.path()))
            EXPECT_EQ(std::filesystem::file_size(entry.path()), 65590u) << entry.path();
        EXPECT_EQ(run.out.find("Stopped: " + std::to_string(pages) + (pages == 1 ? " page" : " pages") +
                               " written to " + out.folder()),
                  0u)
            << run.out;
    }

    // A FIFO that no writer opens: the signal still ends the job, which says it stopped.
    std::string fifo = dir.file("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    TempDir out;
    ProgramRun waiting = RunScrivane({"--batch", fifo, "-o", out.folder()}, dir, 300, false, SIGINT);
    EXPECT_EQ(waiting.exitCode, 130) << waiting.err;
    EXPECT_EQ(waiting.out, "Stopped before any page was written; output folder " + out.folder() + "\n");
}

TEST(BatchMode, SaysWhatIsWrongWithTheInputAndTheOutputFolder)
{
    TempDir dir;
    WriteFile(dir.file("in.txt"), "some text");
    TempDir out;
    // A file that opens but cannot be read: the failure is said, never "the text is empty".
    ProgramRun unreadable = RunScrivane({"--batch", "/proc/self/mem", "-o", out.folder()}, dir);
    EXPECT_EQ(unreadable.exitCode, 1);
    EXPECT_EQ(unreadable.err.rfind("scrivane: ", 0), 0u) << "no blank line first without a terminal";
    EXPECT_NE(unreadable.err.find("/proc/self/mem"), std::string::npos) << unreadable.err;
    EXPECT_NE(unreadable.err.find("input/output error"), std::string::npos) << unreadable.err;
    EXPECT_EQ(unreadable.out.find("empty"), std::string::npos) << unreadable.out;

    ProgramRun folderAsInput = RunScrivane({"--batch", out.path().string(), "-o", out.folder()}, dir);
    EXPECT_EQ(folderAsInput.exitCode, 1);
    EXPECT_EQ(folderAsInput.err, "scrivane: " + out.path().string() + " is a directory, not a text file\n");

    ProgramRun fileAsFolder = RunScrivane({"--batch", dir.file("in.txt"), "-o", dir.file("in.txt")}, dir);
    EXPECT_EQ(fileAsFolder.exitCode, 1);
    EXPECT_EQ(fileAsFolder.err, "scrivane: the output folder " + dir.file("in.txt") + " is not a folder\n");

    // After "--" a name that starts with "-" is a file (here one that is not there), not an option.
    ProgramRun dashed = RunScrivane({"--batch", "-o", out.folder(), "--", "-no-such-file.txt"}, dir);
    EXPECT_EQ(dashed.exitCode, 1);
    EXPECT_EQ(dashed.err, "scrivane: -no-such-file.txt was not found.\n");
}

TEST(BatchMode, RefusesPitchesThatLoseTextAndWarnsOfAReplacedFamily)
{
    TempDir dir;
    WriteFile(dir.file("in.txt"), "some text that would be lost");
    TempDir out;
    for (std::vector<std::string> extra : {std::vector<std::string>{"-f", "DejaVu Sans", "-s", "12", "-d", "30"},
                                           {"-f", "DejaVu Sans", "-s", "2", "-d", "3"},
                                           {"-f", "DejaVu Sans", "-s", "600"}}) {
        std::vector<std::string> args = {"--batch", dir.file("in.txt"), "-o", out.folder()};
        args.insert(args.end(), extra.begin(), extra.end());
        ProgramRun run = RunScrivane(args, dir);
        EXPECT_EQ(run.exitCode, 2) << extra[3];
        EXPECT_NE(run.err.find("no pages can be made"), std::string::npos) << run.err;
    }
    EXPECT_EQ(CountPages(out.path().string()), 0);

    ProgramRun replaced = RunScrivane({"--batch", dir.file("in.txt"), "-o", out.folder(), "-f", "NoSuchFontXYZ"}, dir);
    EXPECT_EQ(replaced.exitCode, 0);
    EXPECT_EQ(replaced.err,
              "scrivane: warning: the font family \"NoSuchFontXYZ\" is not installed; using \"DejaVu Sans\" "
              "instead\n");
    ProgramRun installed = RunScrivane({"--batch", dir.file("in.txt"), "-o", out.folder(), "-f", "DejaVu Serif"}, dir);
    EXPECT_EQ(installed.err, "");
}

TEST(BatchMode, OnlyReadsTheStoreAndCreatesNothing)
{
    TempDir dir;
    WriteFile(dir.file("in.txt"), "text");
    std::string store = dir.file("config/zelmtools/registry.db");
    const char* previous = std::getenv("ZELM_REGISTRY");
    std::string saved = previous ? previous : "";
    setenv("ZELM_REGISTRY", store.c_str(), 1);
    ProgramRun run = RunScrivane({"--batch", dir.file("in.txt"), "-o", dir.folder()}, dir);
    if (previous)
        setenv("ZELM_REGISTRY", saved.c_str(), 1);
    else
        unsetenv("ZELM_REGISTRY");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("config"))) << "neither the store nor its folders";
}
