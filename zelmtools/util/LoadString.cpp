#include <zelmtools/util/StrUtils.h>

CString LoadStringA(UINT nID)
{
    CString text;
    text.LoadString(nID);  // the chain: the application first, then its libraries
    return text;
}
