#pragma once
// The version test module (tests/platform/version_module), loaded once per test program.

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include <zelmtools/platform/base/win_types.h>

inline HMODULE VersionTestModule()
{
    static void* library = dlopen(ZELM_TEST_VERSION_MODULE, RTLD_NOW);
    if (library == nullptr) ADD_FAILURE() << dlerror();
    auto* handleOf = library ? reinterpret_cast<HMODULE (*)()>(dlsym(library, "ZelmTestVersionModule")) : nullptr;
    return handleOf ? handleOf() : nullptr;
}

inline std::string VersionTestModulePath()
{
    char* resolved = realpath(ZELM_TEST_VERSION_MODULE, nullptr);
    std::string path = resolved ? resolved : "";
    free(resolved);
    return path;
}
