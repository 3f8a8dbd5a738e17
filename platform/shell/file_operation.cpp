#include "platform/shell/file_operation.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include <zelmtools/platform/base/errors.h>

#include "platform/base/error_text.h"
#include "platform/shell/file_progress.h"
#include "platform/shell/tree_copy.h"

namespace {

namespace fs = std::filesystem;
using zelm::platform::CopyFailure;

constexpr FILEOP_FLAGS kCopyFlags =
    FOF_SILENT | FOF_NOCONFIRMATION | FOF_SIMPLEPROGRESS | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI;

int ErrorOf(int err)
{
    return static_cast<int>(static_cast<std::uint32_t>(zelm::platform::ErrorFromErrno(err)));
}

std::vector<std::string> PathList(LPCSTR list)
{
    std::vector<std::string> paths;
    for (const char* p = list; p && *p != '\0'; p += paths.back().size() + 1) paths.emplace_back(p);
    return paths;
}

std::string WithoutFinalSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

struct CopyStep {
    std::string source;
    std::string target;
};

// Where the source goes: into the target folder, or to the target's own name.
std::string DestinationOf(const std::string& source, const std::string& target, bool intoFolder)
{
    if (!intoFolder) return target;
    std::size_t slash = source.find_last_of('/');
    return target + "/" + (slash == std::string::npos ? source : source.substr(slash + 1));
}

// Refuses a copy onto itself or into its own tree, which would never end.
void CheckNotItself(const CopyStep& step)
{
    struct stat source {};
    struct stat target {};
    if (lstat(step.source.c_str(), &source) != 0) throw CopyFailure{ErrorOf(errno)};
    if (lstat(step.target.c_str(), &target) == 0 && source.st_dev == target.st_dev && source.st_ino == target.st_ino)
        throw CopyFailure{DE_SAMEFILE};
    if (!S_ISDIR(source.st_mode)) return;
    std::error_code sourceError, targetError;
    fs::path from = fs::canonical(step.source, sourceError);
    fs::path to = fs::weakly_canonical(step.target, targetError);
    if (sourceError || targetError) return;
    auto mismatch = std::mismatch(from.begin(), from.end(), to.begin(), to.end());
    if (mismatch.first == from.end()) throw CopyFailure{DE_DESTSUBTREE};
}

// Every source must be there before anything is made.
std::vector<CopyStep> PlanCopy(const std::vector<std::string>& sources, const std::string& target)
{
    struct stat info {};
    bool intoFolder = sources.size() > 1 || (stat(target.c_str(), &info) == 0 && S_ISDIR(info.st_mode));
    std::vector<CopyStep> steps;
    for (const std::string& given : sources) {
        std::string source = WithoutFinalSlashes(given);
        if (source.empty() || source == "/") throw CopyFailure{DE_INVALIDFILES};
        if (lstat(source.c_str(), &info) != 0) throw CopyFailure{ErrorOf(errno)};
        steps.push_back({source, DestinationOf(source, target, intoFolder)});
        CheckNotItself(steps.back());
    }
    return steps;
}

void MakeFolders(const std::string& folder)
{
    if (folder.empty()) return;
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) throw CopyFailure{ErrorOf(error.value())};
}

int Copy(const SHFILEOPSTRUCTA& operation)
{
    if ((operation.fFlags & ~kCopyFlags) != 0) return ERROR_INVALID_PARAMETER;
    std::vector<std::string> sources = PathList(operation.pFrom);
    std::vector<std::string> targets = PathList(operation.pTo);
    if (sources.empty()) return DE_INVALIDFILES;
    if (targets.size() != 1) return ERROR_INVALID_PARAMETER;
    std::string target = WithoutFinalSlashes(targets[0]);
    try {
        std::vector<CopyStep> steps = PlanCopy(sources, target);
        std::uint64_t work = 0;
        for (const CopyStep& step : steps) work += zelm::platform::CopyWorkOf(step.source);
        std::unique_ptr<zelm::platform::FileProgress> progress;
        if ((operation.fFlags & FOF_SILENT) == 0)
            progress = zelm::platform::StartFileProgress(
                operation.hwnd, operation.lpszProgressTitle ? operation.lpszProgressTitle : "");
        zelm::platform::TreeCopy copy(progress.get(), work, (operation.fFlags & FOF_NOCONFIRMATION) != 0);
        for (const CopyStep& step : steps) {
            MakeFolders(fs::path(step.target).parent_path().string());
            copy.Copy(step.source, step.target);
        }
    } catch (const CopyFailure& failure) {
        return failure.error;
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    return 0;
}

}  // namespace

int SHFileOperationA(LPSHFILEOPSTRUCTA lpFileOp)
{
    if (lpFileOp == nullptr) return ERROR_INVALID_PARAMETER;
    lpFileOp->fAnyOperationsAborted = FALSE;
    lpFileOp->hNameMappings = nullptr;
    int result = lpFileOp->wFunc == FO_COPY ? Copy(*lpFileOp) : int(ERROR_INVALID_FUNCTION);
    if (result != 0) lpFileOp->fAnyOperationsAborted = TRUE;
    return result;
}
