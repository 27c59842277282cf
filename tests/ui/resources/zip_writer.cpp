#include "zip_writer.h"

#include <zlib.h>

#include <stdexcept>

#include "ui/resources/zip_crypto.h"

namespace ztest {
namespace {

void Append16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Append32(std::vector<uint8_t>& out, uint32_t v) {
  Append16(out, static_cast<uint16_t>(v));
  Append16(out, static_cast<uint16_t>(v >> 16));
}

std::string RawDeflate(const std::string& data) {
  z_stream zs{};
  deflateInit2(&zs, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&zs, static_cast<uLong>(data.size())) + 16, '\0');
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  zs.avail_in = static_cast<uInt>(data.size());
  zs.next_out = reinterpret_cast<Bytef*>(out.data());
  zs.avail_out = static_cast<uInt>(out.size());
  if (deflate(&zs, Z_FINISH) != Z_STREAM_END) throw std::runtime_error("deflate");
  out.resize(zs.total_out);
  deflateEnd(&zs);
  return out;
}

}  // namespace

void Put16(std::vector<uint8_t>& bytes, size_t at, uint16_t value) {
  bytes[at] = static_cast<uint8_t>(value);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}
void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  Put16(bytes, at, static_cast<uint16_t>(value));
  Put16(bytes, at + 2, static_cast<uint16_t>(value >> 16));
}

BuiltZip BuildZip(const std::vector<ZipEntry>& entries) {
  BuiltZip zip;
  struct Record {
    uint16_t flags, method;
    uint32_t crc, compressed, size;
  };
  std::vector<Record> records;
  for (const ZipEntry& e : entries) {
    Record r{};
    r.method = e.deflate ? 8 : 0;
    r.flags = e.password.empty() ? 0 : 1;
    r.crc = crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), static_cast<uInt>(e.data.size()));
    r.size = static_cast<uint32_t>(e.data.size());
    std::string stored = e.deflate ? RawDeflate(e.data) : e.data;
    if (!e.password.empty()) {
      zui::ZipCrypto cipher(e.password);
      std::string sealed;
      for (int i = 0; i < 11; ++i)
        sealed.push_back(static_cast<char>(cipher.Encrypt(static_cast<uint8_t>(i * 37 + 5))));
      sealed.push_back(static_cast<char>(cipher.Encrypt(static_cast<uint8_t>(r.crc >> 24))));
      for (char c : stored) sealed.push_back(static_cast<char>(cipher.Encrypt(static_cast<uint8_t>(c))));
      stored = sealed;
    }
    r.compressed = static_cast<uint32_t>(stored.size());
    zip.localHeaders.push_back(zip.bytes.size());
    Append32(zip.bytes, 0x04034b50);
    Append16(zip.bytes, 20);
    Append16(zip.bytes, r.flags);
    Append16(zip.bytes, r.method);
    Append16(zip.bytes, 0x6000);  // time
    Append16(zip.bytes, 0x5A21);  // date
    Append32(zip.bytes, r.crc);
    Append32(zip.bytes, r.compressed);
    Append32(zip.bytes, r.size);
    Append16(zip.bytes, static_cast<uint16_t>(e.name.size()));
    Append16(zip.bytes, 0);
    zip.bytes.insert(zip.bytes.end(), e.name.begin(), e.name.end());
    zip.dataOffsets.push_back(zip.bytes.size());
    zip.bytes.insert(zip.bytes.end(), stored.begin(), stored.end());
    records.push_back(r);
  }
  zip.directory = zip.bytes.size();
  for (size_t i = 0; i < entries.size(); ++i) {
    const Record& r = records[i];
    zip.directoryEntries.push_back(zip.bytes.size());
    Append32(zip.bytes, 0x02014b50);
    Append16(zip.bytes, 20);
    Append16(zip.bytes, 20);
    Append16(zip.bytes, r.flags);
    Append16(zip.bytes, r.method);
    Append16(zip.bytes, 0x6000);
    Append16(zip.bytes, 0x5A21);
    Append32(zip.bytes, r.crc);
    Append32(zip.bytes, r.compressed);
    Append32(zip.bytes, r.size);
    Append16(zip.bytes, static_cast<uint16_t>(entries[i].name.size()));
    Append16(zip.bytes, 0);
    Append16(zip.bytes, 0);
    Append16(zip.bytes, 0);
    Append16(zip.bytes, 0);
    Append32(zip.bytes, 0);
    Append32(zip.bytes, static_cast<uint32_t>(zip.localHeaders[i]));
    zip.bytes.insert(zip.bytes.end(), entries[i].name.begin(), entries[i].name.end());
  }
  zip.endRecord = zip.bytes.size();
  Append32(zip.bytes, 0x06054b50);
  Append16(zip.bytes, 0);
  Append16(zip.bytes, 0);
  Append16(zip.bytes, static_cast<uint16_t>(entries.size()));
  Append16(zip.bytes, static_cast<uint16_t>(entries.size()));
  Append32(zip.bytes, static_cast<uint32_t>(zip.endRecord - zip.directory));
  Append32(zip.bytes, static_cast<uint32_t>(zip.directory));
  Append16(zip.bytes, 0);
  return zip;
}

}  // namespace ztest
