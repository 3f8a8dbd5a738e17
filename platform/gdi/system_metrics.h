#pragma once
// Metrics that only the windowing toolkit knows (the caption height): the framework's
// GUI library answers them once it is loaded; before that, and without it, they are 0,
// as the system answers for a metric it does not have.

#include <zelmtools/platform/base/export.h>

namespace zelm::platform {

using SystemMetricSource = int (*)(int nIndex);
// Installs the source (null removes it).
ZELM_API void SetSystemMetricSource(SystemMetricSource source);
// The source's answer, or 0 without one.
int WindowSystemMetric(int nIndex);

}  // namespace zelm::platform
