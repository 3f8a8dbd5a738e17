#pragma once
// Whether pages can be made with a font and line-pitch reduction: a line must fit on
// the page and each line must move the next one down by at least one pixel.

#include <zelmtools/framework/strings/CString.h>
#include "platform/gdi/gdi.h"

// Empty when pages can be made; otherwise the reason, in words for the user.
CString DescribeUnfitLinePitch(const LOGFONT& logFont, int nDelSize);
