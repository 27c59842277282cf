// Opens arbitrary bytes as a zip archive and extracts every member the way
// the resource loader does: whole when its size is believable, and into a
// short buffer.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/resources/zip_archive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zui::CZipArchive zip;
  if (!zip.OpenMemory(data, size, "pw")) return 0;
  for (size_t i = 0; i < zip.MemberCount(); ++i) {
    const int index = static_cast<int>(i);
    int found = -1;
    uint64_t declared = 0;
    zip.FindMember(zip.MemberAt(i).name, true, found, declared);
    uint8_t small[7];
    zip.Extract(index, small, sizeof small);
    if (zip.IsMemberPlausible(index) && declared <= (1u << 22)) {
      std::vector<uint8_t> out(static_cast<size_t>(declared));
      zip.Extract(index, out.data(), out.size());
    }
  }
  return 0;
}
