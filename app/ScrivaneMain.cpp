#include "app/ScrivaneMain.h"

#include <cstdio>
#include <cstring>

#include "app/BatchDriver.h"
#include "app/BatchOptions.h"
#include "framework/app/ApplicationScope.h"

namespace {

bool HasArgument(int argc, char** argv, const char* wanted)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], wanted) == 0) return true;
    return false;
}

int RunBatchMode(int argc, char** argv)
{
    BatchOptions options;
    if (auto error = ParseBatchOptions(argc - 1, argv + 1, options)) {
        std::fprintf(stderr, "scrivane: %s\n%s", error->c_str(), "Try 'scrivane --help' for more.\n");
        return kExitUsage;
    }
    if (options.help) {
        std::fputs(BatchUsage().c_str(), stdout);
        return kExitDone;
    }
    zelm::framework::ApplicationScope app(argc, argv);
    return RunBatch(options);
}

}  // namespace

int ScrivaneMain(int argc, char** argv)
{
    if (HasArgument(argc, argv, "--batch")) return RunBatchMode(argc, argv);
    if (HasArgument(argc, argv, "--help") || HasArgument(argc, argv, "-h")) {
        std::fputs(BatchUsage().c_str(), stdout);
        return kExitDone;
    }
    std::fprintf(stderr, "usage: scrivane --batch INPUT [options]   (scrivane --help for more)\n");
    return kExitUsage;
}
