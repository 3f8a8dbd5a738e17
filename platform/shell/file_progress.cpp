#include "platform/shell/file_progress.h"

#include <mutex>

namespace zelm::platform {

namespace {

struct Presenter {
    std::mutex lock;
    FileProgressPresenter make;
};

Presenter& ThePresenter()
{
    static Presenter presenter;
    return presenter;
}

}  // namespace

void SetFileProgressPresenter(FileProgressPresenter presenter)
{
    Presenter& current = ThePresenter();
    std::lock_guard guard(current.lock);
    current.make = std::move(presenter);
}

std::unique_ptr<FileProgress> StartFileProgress(HWND owner, const std::string& title)
{
    FileProgressPresenter make;
    {
        Presenter& current = ThePresenter();
        std::lock_guard guard(current.lock);
        make = current.make;
    }
    return make ? make(owner, title) : nullptr;
}

}  // namespace zelm::platform
