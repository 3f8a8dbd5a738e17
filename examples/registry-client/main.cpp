// Counts its own runs in the registry store, naming the key and the values by the
// numbers of its string table. Prints the count; exit 1 when the store refuses.

#include <cstdio>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/registry/RegItem.h>

namespace {

constexpr UINT IDS_SETTINGS_KEY = 100;
constexpr UINT IDS_RUN_COUNT = 101;
constexpr UINT IDS_LAST_GREETING = 102;

}  // namespace

int main()
{
    CRegItem settings;
    if (!settings.CreateKey(IDS_SETTINGS_KEY)) {
        std::fprintf(stderr, "registry-client: cannot open the settings key (error %u)\n", GetLastError());
        return 1;
    }
    unsigned long runs = 0;
    settings.GetValue(IDS_RUN_COUNT, &runs, 0UL);
    ++runs;
    if (!settings.SetValue(IDS_RUN_COUNT, runs) || !settings.SetValue(IDS_LAST_GREETING, "hello")) {
        std::fprintf(stderr, "registry-client: cannot store the run count (error %u)\n", GetLastError());
        return 1;
    }
    std::printf("run %lu\n", runs);
    return 0;
}
