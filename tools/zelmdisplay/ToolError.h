#pragma once
// How zelmdisplay fails: the tools' one error type.

#include "../common/ToolError.h"

namespace zelmdisplay {

using zelmtool::Failure;
using zelmtool::kExitFailure;
using zelmtool::kExitUsage;
using zelmtool::ToolError;
using zelmtool::UsageError;
constexpr int kExitChanged = 3;  // check: the layout differs from the snapshot

}  // namespace zelmdisplay
