// A loadable module with version information and a message table of its own, for the
// version and message-table tests. Its resource registration resolves against the
// test program, which exports the platform layer.
#include <zelmtools/platform/base/win_types.h>

HMODULE zelm_zelmtestversion_ResourceModule();

extern "C" __attribute__((visibility("default"))) HMODULE ZelmTestVersionModule()
{
    return zelm_zelmtestversion_ResourceModule();
}
