#pragma once
// Positioning a file stream at a 64-bit offset (long is 32 bits on Windows).

#include <cstdint>
#include <cstdio>

namespace ztftp {

// False when the stream cannot be positioned there.
bool SeekFile(std::FILE* file, int64_t offset);

}  // namespace ztftp
