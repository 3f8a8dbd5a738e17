#pragma once
// Whether a font and line-pitch reduction can make pages at all: a line pitch below one
// pixel draws every line over the one before, and a line taller than the page never
// shows whole.

#include <zelmtools/framework/strings/CString.h>
#include <zelmtools/platform/gdi/gdi.h>

// Empty when pages can be made with this font and DelSize; otherwise the reason, in
// words for the user. The line height is the one the page layout measures.
CString DescribeUnfitLinePitch(const LOGFONT& logFont, int nDelSize);

// The height of one line of text in this font as the page layout measures it; 0 when
// the font cannot be measured.
int MeasurePageLineHeight(const LOGFONT& logFont);
