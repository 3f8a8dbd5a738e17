#pragma once
// What the sink shows: its records as text, newest first.

#include <string>
#include <vector>

#include "ErrorSink.h"

namespace zelm::errorsink {

std::string DescribeRecords(const std::vector<Record>& records);
// In a message box while a GUI application runs, else on stderr. Nothing for no records.
void ShowRecords(const std::vector<Record>& records);

}  // namespace zelm::errorsink
