#include "platform/shell/file_operation.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include <zelmtools/platform/base/errors.h>

#include "platform/shell/file_progress.h"
#include "support/file_tree.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using file_tree::Difference;
using file_tree::Names;

struct CopyResult {
    int result;
    BOOL aborted;
};

// A zero after each path and one more after the list.
std::string List(const std::vector<std::string>& paths)
{
    std::string list;
    for (const auto& path : paths) list += path + '\0';
    return list + '\0';
}

CopyResult Copy(const std::vector<std::string>& sources, const std::string& target,
                FILEOP_FLAGS flags = FOF_NOCONFIRMATION | FOF_SIMPLEPROGRESS, const char* title = "Copying")
{
    std::string from = List(sources), to = List({target});
    SHFILEOPSTRUCTA operation{nullptr, FO_COPY, from.c_str(), to.c_str(), flags, FALSE, nullptr, title};
    int result = SHFileOperationA(&operation);
    return {result, operation.fAnyOperationsAborted};
}

// Runs the copy in a child process that cannot do what root could (write anywhere,
// write without limit): it drops to an unprivileged user and the file-size limit.
int CopyInLimitedChild(const std::vector<std::string>& sources, const std::string& target,
                       const std::function<void()>& limit)
{
    pid_t child = fork();
    if (child == 0) {
        limit();
        _exit(Copy(sources, target).result & 0xFF);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void DropToNobody()
{
    if (geteuid() != 0) return;
    if (setgroups(0, nullptr) != 0 || setresgid(65534, 65534, 65534) != 0 || setresuid(65534, 65534, 65534) != 0)
        _exit(99);
}

class FileOperationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_source = m_dir.file("source");
        file_tree::MakeTree(m_source);
    }

    TempDir m_dir;
    std::string m_source;
};

TEST_F(FileOperationTest, CopiesATreeWholeIntoAMissingTargetAndIntoAnExistingFolder)
{
    // A missing target becomes the copy itself, with the folders above it made.
    CopyResult made = Copy({m_source}, m_dir.file("new/copy"));
    EXPECT_EQ(made.result, 0);
    EXPECT_FALSE(made.aborted);
    EXPECT_EQ(Difference(m_source, m_dir.file("new/copy")), "");
    EXPECT_EQ(fs::read_symlink(m_dir.file("new/copy/outside-link")), "/etc");  // not followed

    // An existing folder takes the copy in, under the source's name.
    fs::create_directory(m_dir.file("existing"));
    EXPECT_EQ(Copy({m_source + "/"}, m_dir.file("existing")).result, 0);
    EXPECT_EQ(Names(m_dir.file("existing")), std::set<std::string>{"source"});
    EXPECT_EQ(Difference(m_source, m_dir.file("existing/source")), "");

    // Again onto the copy: merged, every file replaced, nothing doubled, no temporary left.
    file_tree::WriteFile(m_dir.file("existing/source/small.txt"), "changed", 0600);
    EXPECT_EQ(Copy({m_source}, m_dir.file("existing")).result, 0);
    EXPECT_EQ(Difference(m_source, m_dir.file("existing/source")), "");
}

TEST_F(FileOperationTest, FilesGoIntoAFolderOrOntoTheirNewName)
{
    std::string small = m_source + "/small.txt", script = m_source + "/run.sh";
    fs::create_directory(m_dir.file("into"));
    EXPECT_EQ(Copy({small, script}, m_dir.file("into")).result, 0);
    EXPECT_EQ(Names(m_dir.file("into")), (std::set<std::string>{"run.sh", "small.txt"}));
    EXPECT_EQ(Difference(script, m_dir.file("into/run.sh")), "");

    // Several sources into a missing folder: the folder is made.
    EXPECT_EQ(Copy({small, script}, m_dir.file("made")).result, 0);
    EXPECT_EQ(Names(m_dir.file("made")), (std::set<std::string>{"run.sh", "small.txt"}));

    // One file onto a name: a read-only file in the way is replaced.
    file_tree::WriteFile(m_dir.file("renamed.txt"), "old", 0444);
    EXPECT_EQ(Copy({small}, m_dir.file("renamed.txt")).result, 0);
    EXPECT_EQ(Difference(small, m_dir.file("renamed.txt")), "");

    // Without leave to replace, nobody can be asked: the old file stays.
    file_tree::WriteFile(m_dir.file("kept.txt"), "old", 0644);
    CopyResult refused = Copy({small}, m_dir.file("kept.txt"), FOF_SIMPLEPROGRESS);
    EXPECT_EQ(refused.result, ERROR_FILE_EXISTS);
    EXPECT_TRUE(refused.aborted);
    EXPECT_EQ(file_tree::ReadFile(m_dir.file("kept.txt")), "old");
}

TEST_F(FileOperationTest, AMissingSourceFailsBeforeAnythingIsMade)
{
    CopyResult missing = Copy({m_source + "/small.txt", m_dir.file("missing")}, m_dir.file("target"));
    EXPECT_EQ(missing.result, ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(missing.aborted);
    EXPECT_FALSE(fs::exists(m_dir.file("target")));
}

TEST_F(FileOperationTest, WhatCannotBeDoneIsRefusedWithNothingMade)
{
    std::string target = m_dir.file("target");
    EXPECT_EQ(Copy({m_source}, target, FOF_NOCONFIRMATION | FOF_RENAMEONCOLLISION).result, ERROR_INVALID_PARAMETER);
    EXPECT_EQ(Copy({m_source}, target, FOF_NOCONFIRMATION | FOF_MULTIDESTFILES).result, ERROR_INVALID_PARAMETER);
    EXPECT_EQ(Copy({}, target).result, DE_INVALIDFILES);
    EXPECT_EQ(Copy({m_source}, m_source + "/sub/inner").result, DE_DESTSUBTREE);
    EXPECT_EQ(Copy({m_source + "/small.txt"}, m_source + "/small.txt").result, DE_SAMEFILE);
    EXPECT_FALSE(fs::exists(target));
    EXPECT_FALSE(fs::exists(m_source + "/sub/inner"));
    EXPECT_EQ(file_tree::ReadFile(m_source + "/small.txt"), "hello\n");

    std::string from = List({m_source}), to = List({target});
    SHFILEOPSTRUCTA move{nullptr, FO_MOVE, from.c_str(), to.c_str(), FOF_NOCONFIRMATION, FALSE, nullptr, nullptr};
    EXPECT_NE(SHFileOperationA(&move), 0);
    EXPECT_TRUE(fs::exists(m_source));
}

TEST_F(FileOperationTest, AReadOnlyTargetFolderFailsAndGetsNothing)
{
    std::string readable = m_dir.file("readable");
    file_tree::WriteFile(readable, "data", 0644);
    std::string locked = m_dir.file("locked");
    fs::create_directory(locked);
    chmod(m_dir.path().c_str(), 0755);
    chmod(locked.c_str(), 0555);
    EXPECT_EQ(CopyInLimitedChild({readable}, locked, DropToNobody), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(Names(locked).empty());
}

TEST_F(FileOperationTest, AFileThatDoesNotFitLeavesNothingBehind)
{
    // The file-size limit stops writing as a full disk does, part way through a file.
    auto limited = [] {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{64 * 1024, 64 * 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
    };
    std::string target = m_dir.file("target");
    fs::create_directory(target);
    std::string large = m_source + "/sub/read-only.bin";
    EXPECT_NE(CopyInLimitedChild({m_source + "/small.txt", large}, target, limited), 0);
    // What was copied whole stays; the file that did not fit is nowhere, not even as a temporary.
    EXPECT_EQ(Names(target), std::set<std::string>{"small.txt"});
}

// Records what the progress window would show.
struct RecordedProgress {
    std::string title;
    std::vector<std::uint64_t> done;
    std::uint64_t total = 0;
    int stopAfter = -1;
};

class RecordingProgress : public zelm::platform::FileProgress {
public:
    explicit RecordingProgress(RecordedProgress& record) : m_record(record) {}
    bool Advance(std::uint64_t done, std::uint64_t total) override
    {
        m_record.done.push_back(done);
        m_record.total = total;
        return m_record.stopAfter < 0 || static_cast<int>(m_record.done.size()) < m_record.stopAfter;
    }

private:
    RecordedProgress& m_record;
};

struct PresenterScope {
    explicit PresenterScope(RecordedProgress& record)
    {
        zelm::platform::SetFileProgressPresenter([&record](HWND, const std::string& title) {
            record.title = title;
            return std::make_unique<RecordingProgress>(record);
        });
    }
    ~PresenterScope() { zelm::platform::SetFileProgressPresenter(nullptr); }
};

TEST_F(FileOperationTest, ProgressCountsBytesAndEntriesUpToTheEnd)
{
    RecordedProgress record;
    PresenterScope scope(record);
    ASSERT_EQ(Copy({m_source}, m_dir.file("copy"), FOF_NOCONFIRMATION | FOF_SIMPLEPROGRESS, "Копирование").result, 0);
    EXPECT_EQ(record.title, "Копирование");
    ASSERT_FALSE(record.done.empty());
    EXPECT_TRUE(std::is_sorted(record.done.begin(), record.done.end()));
    EXPECT_GT(record.total, 3u * 1024 * 1024);  // the bytes count
    EXPECT_EQ(record.done.back(), record.total);

    RecordedProgress silent;
    PresenterScope silentScope(silent);
    EXPECT_EQ(Copy({m_source}, m_dir.file("quiet"), FOF_NOCONFIRMATION | FOF_SILENT).result, 0);
    EXPECT_TRUE(silent.done.empty());
}

TEST_F(FileOperationTest, StoppingInTheProgressWindowAbortsTheCopy)
{
    RecordedProgress record;
    record.stopAfter = 3;
    PresenterScope scope(record);
    CopyResult stopped = Copy({m_source}, m_dir.file("copy"));
    EXPECT_EQ(stopped.result, ERROR_CANCELLED_BY_USER);
    EXPECT_TRUE(stopped.aborted);
    EXPECT_EQ(record.done.size(), 3u);
}

}  // namespace
