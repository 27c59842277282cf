#include "tftp/file_seek.h"

namespace ztftp {

bool SeekFile(std::FILE* file, int64_t offset) { return ::_fseeki64(file, offset, SEEK_SET) == 0; }

}  // namespace ztftp
