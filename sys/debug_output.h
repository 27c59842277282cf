#pragma once
// Trace lines for developers. On Windows they go to the debugger output
// (OutputDebugStringA, one call per line, no line end). On Linux the same
// lines go to standard error, only when ZAVIZ_DEBUG is set.

namespace zsys {

void DebugOutput(const char* line);

}  // namespace zsys
