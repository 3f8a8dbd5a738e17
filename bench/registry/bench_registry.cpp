// Registry operations per second against a private store in the temporary folder.

#include <benchmark/benchmark.h>

#include "support/temp_registry.h"
#include <zelmtools/registry/RegItem.h>

namespace {

void PrepareKey()
{
    CRegItem item;
    item.CreateKey("Bench");
    item.SetValue("DelSize", 3);
}

// What a program does to load one setting: open the key, read, close.
void OpenKeyAndReadValue(benchmark::State& state)
{
    PrepareKey();
    for (auto _ : state) {
        CRegItem item;
        item.CreateKey("Bench");
        int value = 0;
        if (!item.QueryValue("DelSize", &value)) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(value);
    }
    state.SetItemsProcessed(state.iterations());
}

void WriteValue(benchmark::State& state)
{
    CRegItem item;
    item.CreateKey("Bench");
    int value = 0;
    for (auto _ : state) {
        if (!item.SetValue("DelSize", ++value)) state.SkipWithError("write failed");
    }
    state.SetItemsProcessed(state.iterations());
}

// The platform calls alone, without the key object.
void PlatformOpenQueryClose(benchmark::State& state)
{
    PrepareKey();
    for (auto _ : state) {
        HKEY key = nullptr;
        DWORD value = 0, size = sizeof value;
        RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Brannic KSD\\Bench", 0, KEY_READ, &key);
        RegQueryValueExA(key, "DelSize", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
        RegCloseKey(key);
        benchmark::DoNotOptimize(value);
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(OpenKeyAndReadValue);
BENCHMARK(WriteValue);
BENCHMARK(PlatformOpenQueryClose);

}  // namespace

int main(int argc, char** argv)
{
    TempRegistry store;  // for the whole run
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
