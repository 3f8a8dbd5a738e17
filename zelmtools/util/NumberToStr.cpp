#include <algorithm>

#include <zelmtools/util/StrUtils.h>

namespace {

// Widths and precisions beyond this only ask for megabytes of padding or digits a
// double does not have; they are held here so the text stays bounded.
constexpr int kLargestFieldSize = 4096;

}  // namespace

CString IntToStr(int nValue)
{
    CString text;
    text.Format("%d", nValue);
    return text;
}

CString DoubleToStr(double dValue, int nWidth, int nPrecision)
{
    nWidth = std::clamp(nWidth, -kLargestFieldSize, kLargestFieldSize);
    nPrecision = std::clamp(nPrecision, 0, kLargestFieldSize);  // a negative precision is no format
    CString format;
    format.Format("%c%d.%df", '%', nWidth, nPrecision);
    CString text;
    text.Format(format, dValue);
    return text;
}
