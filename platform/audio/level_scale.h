#pragma once
// Levels cross the mixer interface as 0..65535 (balance -32768..32767) while each card
// control has a range of its own, usually far coarser. Scaling alone would give back a
// nearby value, not the one written; so the values last written to a control are
// remembered with the raw values they became, and a read that finds the same raw values
// answers with what was written. Anything else that changed the control (another
// program, a coarser write) makes the read scale again.

#include <cstdint>
#include <string>
#include <vector>

namespace zelm::platform::audio {

constexpr long kLevelMax = 65535;
constexpr long kPanMin = -32768;
constexpr long kPanMax = 32767;

long LevelToRaw(long level, long rawMin, long rawMax);
long RawToLevel(long raw, long rawMin, long rawMax);

// The balance of two channel levels, and the channel levels for a balance at the
// louder of the two levels.
long PanOfLevels(long left, long right);
void LevelsOfPan(long pan, long loudest, long& left, long& right);

// Process-wide memory of written values, keyed by device and control.
void RememberWritten(const std::string& key, const std::vector<long>& raw, const std::vector<long>& values);
// The values written last when the raw values are still those they became.
bool RecallWritten(const std::string& key, const std::vector<long>& raw, std::vector<long>& values);

}  // namespace zelm::platform::audio
