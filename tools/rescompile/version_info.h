#pragma once
// Version information text -> VS_VERSIONINFO. The text reads
//   FILEVERSION 1,0,0,0          PRODUCTVERSION 1,0,0,0
//   FILEFLAGSMASK n  FILEFLAGS n  FILEOS n  FILETYPE n  FILESUBTYPE n   (optional)
//   BLOCK 040904b0               a string table: language and code page, 8 hex digits
//   VALUE CompanyName "Brannic KSD"
// and VarFileInfo\Translation lists the blocks in their order.

#include <string>

#include "text_input.h"

namespace rescompile {

Bytes CompileVersionInfo(const std::vector<Line>& lines);

}  // namespace rescompile
