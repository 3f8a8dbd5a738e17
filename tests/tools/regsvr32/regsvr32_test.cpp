#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include <zelmtools/platform/com/objbase.h>

#include "component/TestComponent.h"
#include "support/registry_helpers.h"
#include "support/run_program.h"
#include "support/temp_registry.h"

namespace {

// Runs regsvr32 with no display (so messages go to stderr) and the given extra variable.
ToolResult RunRegsvr32(const std::vector<std::string>& args, const char* extraVariable = nullptr)
{
    return RunProgram(REGSVR32_PATH, args, [extraVariable] {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        if (extraVariable != nullptr) putenv(const_cast<char*>(extraVariable));
    });
}

bool ComponentLoaded()
{
    void* handle = dlopen(TEST_COMPONENT_PATH, RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr) return false;
    dlclose(handle);
    return true;
}

HRESULT CreateAdder(ITestAdder** adder)
{
    return CoCreateInstance(CLSID_TestAdder, nullptr, CLSCTX_INPROC_SERVER, IID_ITestAdder,
                            reinterpret_cast<void**>(adder));
}

constexpr const char* kServerKey = "CLSID\\{6A1F3C52-8E0B-4D7A-9C21-5B3E7F40D918}\\InprocServer32";

class Regsvr32Test : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(CoInitialize(nullptr), S_OK); }
    void TearDown() override
    {
        CoFreeUnusedLibraries();
        CoUninitialize();
    }
    TempRegistry m_registry;
};

}  // namespace

TEST_F(Regsvr32Test, RegisteredComponentIsCreatedCalledAndUnloadedWhenIdle)
{
    ToolResult result = RunRegsvr32({"/s", TEST_COMPONENT_PATH});
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(result.output, "");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, kServerKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(QueryBytes(key, nullptr), std::string(TEST_COMPONENT_PATH) + '\0');
    RegCloseKey(key);

    ITestAdder* adder = nullptr;
    ASSERT_EQ(CreateAdder(&adder), S_OK);
    int sum = 0;
    EXPECT_EQ(adder->Add(2, 40, &sum), S_OK);
    EXPECT_EQ(sum, 42);

    CoFreeUnusedLibraries();  // an object still lives: the server stays
    EXPECT_TRUE(ComponentLoaded());
    adder->Release();
    CoFreeUnusedLibraries();
    EXPECT_FALSE(ComponentLoaded());

    // Loaded again on demand.
    ASSERT_EQ(CreateAdder(&adder), S_OK);
    adder->Release();
}

TEST_F(Regsvr32Test, ReportsTheOutcomeAndUnregisters)
{
    ToolResult result = RunRegsvr32({TEST_COMPONENT_PATH});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.output.find("DllRegisterServer in " TEST_COMPONENT_PATH " succeeded."), std::string::npos)
        << result.output;

    result = RunRegsvr32({"/u", TEST_COMPONENT_PATH});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.output.find("DllUnregisterServer in " TEST_COMPONENT_PATH " succeeded."), std::string::npos)
        << result.output;

    ITestAdder* adder = nullptr;
    EXPECT_EQ(CreateAdder(&adder), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(adder, nullptr);
}

TEST_F(Regsvr32Test, EachFailingStepHasItsExitCodeAndMessage)
{
    ToolResult refused = RunRegsvr32({TEST_COMPONENT_PATH}, "TEST_COMPONENT_REFUSE=1");
    EXPECT_EQ(refused.exitCode, 5);
    EXPECT_NE(refused.output.find("DllRegisterServer in " TEST_COMPONENT_PATH " failed."), std::string::npos);
    EXPECT_NE(refused.output.find("0x80070005"), std::string::npos) << refused.output;

    ToolResult silent = RunRegsvr32({"/s", "/u", TEST_COMPONENT_PATH}, "TEST_COMPONENT_REFUSE=1");
    EXPECT_EQ(silent.exitCode, 5);
    EXPECT_EQ(silent.output, "");

    ToolResult missing = RunRegsvr32({m_registry.dir().file("absent.so")});
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_NE(missing.output.find("failed to load"), std::string::npos) << missing.output;

    ToolResult noEntry = RunRegsvr32({ZELMPLATFORM_PATH});
    EXPECT_EQ(noEntry.exitCode, 4);
    EXPECT_NE(noEntry.output.find("DllRegisterServer entry point was not found"), std::string::npos);

    EXPECT_EQ(RunRegsvr32({}).exitCode, 1);
    EXPECT_EQ(RunRegsvr32({"/x", TEST_COMPONENT_PATH}).exitCode, 1);
    ToolResult help = RunRegsvr32({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("usage: regsvr32"), std::string::npos);
}

TEST_F(Regsvr32Test, CreationFailuresAreReported)
{
    ASSERT_EQ(RunRegsvr32({"/s", TEST_COMPONENT_PATH}).exitCode, 0);

    // Another thread has not initialised the runtime.
    HRESULT onOtherThread = S_OK;
    std::thread([&] {
        ITestAdder* adder = nullptr;
        onOtherThread = CreateAdder(&adder);
    }).join();
    EXPECT_EQ(onOtherThread, CO_E_NOTINITIALIZED);

    ITestAdder* adder = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_TestAdder, nullptr, CLSCTX_LOCAL_SERVER, IID_ITestAdder,
                               reinterpret_cast<void**>(&adder)),
              REGDB_E_CLASSNOTREG);
    IUnknown* outer = reinterpret_cast<IUnknown*>(&adder);  // never called: aggregation is refused first
    EXPECT_EQ(CoCreateInstance(CLSID_TestAdder, outer, CLSCTX_INPROC_SERVER, IID_ITestAdder,
                               reinterpret_cast<void**>(&adder)),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(CoCreateInstance(CLSID_TestAdder, nullptr, CLSCTX_INPROC_SERVER, IID_IClassFactory,
                               reinterpret_cast<void**>(&adder)),
              E_NOINTERFACE);
    EXPECT_EQ(adder, nullptr);

    // A registration whose library is gone.
    HKEY key = CreateTestKey(kServerKey, HKEY_CLASSES_ROOT);
    EXPECT_EQ(SetBytes(key, nullptr, REG_SZ, m_registry.dir().file("gone.so") + '\0'), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(CreateAdder(&adder), CO_E_DLLNOTFOUND);
}
