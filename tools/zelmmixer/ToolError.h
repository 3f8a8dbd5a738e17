#pragma once
// How zelmmixer fails: the tools' one error type.

#include "../common/ToolError.h"

namespace zelmmixer {

using zelmtool::Failure;
using zelmtool::kExitFailure;
using zelmtool::kExitUsage;
using zelmtool::ToolError;
using zelmtool::UsageError;

}  // namespace zelmmixer
