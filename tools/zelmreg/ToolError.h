#pragma once
// How zelmreg fails: the tools' one error type, and registry failures in words.

#include <string>

#include "../common/ToolError.h"

#include <zelmtools/platform/base/win_types.h>

namespace zelmreg {

using zelmtool::Failure;
using zelmtool::kExitFailure;
using zelmtool::kExitUsage;
using zelmtool::ToolError;
using zelmtool::UsageError;

// A registry call's failure in words: what the code means, and for a store that cannot
// be used, what is wrong with it.
std::string DescribeRegistryError(LONG code);
[[noreturn]] void RegistryFailure(const std::string& what, LONG code);

}  // namespace zelmreg
