#include "platform/gdi/system_metrics.h"

#include <atomic>

namespace zelm::platform {
namespace {

std::atomic<SystemMetricSource> g_source{nullptr};

}  // namespace

void SetSystemMetricSource(SystemMetricSource source)
{
    g_source.store(source);
}

int WindowSystemMetric(int nIndex)
{
    SystemMetricSource source = g_source.load();
    return source ? source(nIndex) : 0;
}

}  // namespace zelm::platform
