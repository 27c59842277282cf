#include "tftp/file_seek.h"

#include <sys/types.h>

namespace ztftp {

bool SeekFile(std::FILE* file, int64_t offset) { return ::fseeko(file, off_t(offset), SEEK_SET) == 0; }

}  // namespace ztftp
