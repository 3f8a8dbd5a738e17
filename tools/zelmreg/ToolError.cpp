#include "ToolError.h"

#include <zelmtools/platform/base/errors.h>
#include "platform/registry/registry_store.h"

namespace zelmreg {

namespace {

const char* Meaning(LONG code)
{
    switch (code) {
        case ERROR_FILE_NOT_FOUND: return "it does not exist";
        case ERROR_ACCESS_DENIED: return "access denied";
        case ERROR_BAD_PATHNAME: return "the path has an empty key name";
        case ERROR_KEY_DELETED: return "the key was deleted meanwhile";
        case ERROR_BUSY: return "the registry store is busy";
        case ERROR_BADDB: return "the registry store is damaged or not a registry store";
        case ERROR_REGISTRY_CORRUPT: return "the registry store is damaged";
        case ERROR_CANTOPEN: return "the registry store cannot be opened";
        case ERROR_CANTREAD: return "the registry store cannot be read";
        case ERROR_CANTWRITE: return "the registry store cannot be written";
        case ERROR_DISK_FULL: return "the disk is full";
        case ERROR_NOT_ENOUGH_MEMORY: return "not enough memory";
        default: return "the registry call failed";
    }
}

}  // namespace

std::string DescribeRegistryError(LONG code)
{
    std::string text = std::string(Meaning(code)) + " (error " + std::to_string(code) + ")";
    std::string problem = zelm::platform::RegistryStoreProblem();
    if (!problem.empty()) text += ": " + problem;
    return text;
}

void RegistryFailure(const std::string& what, LONG code)
{
    Failure(what + ": " + DescribeRegistryError(code));
}

}  // namespace zelmreg
