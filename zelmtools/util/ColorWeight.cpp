#include <cmath>

#include <zelmtools/util/TextMeasure.h>

namespace {

// The channel's low 8 bits of a + (b - a) * weight cut toward zero. Taken modulo 256 in
// floating point, which is exact for whole numbers, so that weights far outside 0..1
// wrap as the 8-bit mask does instead of overflowing the integer conversion.
COLORREF BlendChannel(COLORREF first, COLORREF second, int shift, double weight)
{
    const double a = static_cast<double>((first >> shift) & 0xFF);
    const double b = static_cast<double>((second >> shift) & 0xFF);
    const double value = std::trunc(a + (b - a) * weight);
    if (!std::isfinite(value)) return 0;
    double wrapped = std::fmod(value, 256.0);
    if (wrapped < 0) wrapped += 256.0;
    return static_cast<COLORREF>(static_cast<unsigned>(wrapped)) << shift;
}

}  // namespace

COLORREF GetColorWeight(COLORREF crFirst, COLORREF crSecond, double dWeight)
{
    return BlendChannel(crFirst, crSecond, 0, dWeight) | BlendChannel(crFirst, crSecond, 8, dWeight) |
           BlendChannel(crFirst, crSecond, 16, dWeight);
}
