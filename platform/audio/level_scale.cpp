#include "platform/audio/level_scale.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace zelm::platform::audio {

namespace {

struct Written {
    std::vector<long> raw;
    std::vector<long> values;
};

std::mutex g_writtenLock;
std::map<std::string, Written>& WrittenValues()
{
    static std::map<std::string, Written> written;
    return written;
}

long RoundedRatio(long long numerator, long long denominator)
{
    return static_cast<long>((numerator + denominator / 2) / denominator);
}

}  // namespace

long LevelToRaw(long level, long rawMin, long rawMax)
{
    level = std::clamp(level, 0L, kLevelMax);
    if (rawMax <= rawMin) return rawMin;
    return rawMin + RoundedRatio(static_cast<long long>(level) * (rawMax - rawMin), kLevelMax);
}

long RawToLevel(long raw, long rawMin, long rawMax)
{
    if (rawMax <= rawMin) return 0;
    raw = std::clamp(raw, rawMin, rawMax);
    return RoundedRatio(static_cast<long long>(raw - rawMin) * kLevelMax, rawMax - rawMin);
}

long PanOfLevels(long left, long right)
{
    if (left == right) return 0;
    if (left > right) return -RoundedRatio(static_cast<long long>(left - right) * -kPanMin, left);
    return RoundedRatio(static_cast<long long>(right - left) * kPanMax, right);
}

void LevelsOfPan(long pan, long loudest, long& left, long& right)
{
    pan = std::clamp(pan, kPanMin, kPanMax);
    left = right = loudest;
    if (pan < 0) right = RoundedRatio(static_cast<long long>(loudest) * (pan - kPanMin), -kPanMin);
    if (pan > 0) left = RoundedRatio(static_cast<long long>(loudest) * (kPanMax - pan), kPanMax);
}

void RememberWritten(const std::string& key, const std::vector<long>& raw, const std::vector<long>& values)
{
    std::lock_guard lock(g_writtenLock);
    WrittenValues()[key] = {raw, values};
}

bool RecallWritten(const std::string& key, const std::vector<long>& raw, std::vector<long>& values)
{
    std::lock_guard lock(g_writtenLock);
    auto found = WrittenValues().find(key);
    if (found == WrittenValues().end() || found->second.raw != raw) return false;
    values = found->second.values;
    return true;
}

}  // namespace zelm::platform::audio
