#pragma once
// The progress window of shell file operations. The platform has no windows of its own:
// the framework's GUI library installs a presenter when it is loaded; without one (no
// GUI application) an operation runs silently.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <zelmtools/platform/base/export.h>
#include <zelmtools/platform/base/win_types.h>

namespace zelm::platform {

class FileProgress {
public:
    virtual ~FileProgress() = default;
    // done of total units (bytes and entries) are finished; false when the user asked
    // to stop.
    virtual bool Advance(std::uint64_t done, std::uint64_t total) = 0;
};

// Makes a progress window with the title, or returns null when nothing can be shown.
using FileProgressPresenter = std::function<std::unique_ptr<FileProgress>(HWND owner, const std::string& title)>;

// Installs the presenter (an empty one removes it).
ZELM_API void SetFileProgressPresenter(FileProgressPresenter presenter);

// A progress window from the installed presenter, or null.
std::unique_ptr<FileProgress> StartFileProgress(HWND owner, const std::string& title);

}  // namespace zelm::platform
