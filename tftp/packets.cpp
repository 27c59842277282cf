#include "tftp/packets.h"

#include <cstring>

namespace ztftp {
namespace {

// Length of the string at `p`, stopping at the zero or at `end`.
int BoundedLength(const uint8_t* p, const uint8_t* end) {
  const uint8_t* q = p;
  while (q < end && *q != 0) ++q;
  return int(q - p);
}

}  // namespace

Request ParseRequest(const uint8_t* datagram, int length) {
  Request request;
  const uint8_t* end = datagram + length;
  const uint8_t* name = datagram + 2;
  if (name >= end) return request;
  const int name_length = BoundedLength(name, end);
  request.filename.assign(reinterpret_cast<const char*>(name), size_t(name_length));
  const uint8_t* mode = name + name_length + 1;
  if (mode >= end) return request;
  request.has_mode = true;
  const uint8_t* options = mode + BoundedLength(mode, end) + 1;
  if (options < end) {
    request.options = options;
    request.options_length = int(end - options);
  }
  return request;
}

OptionList ParseOptions(const uint8_t* block, int length) {
  OptionList options;
  const uint8_t* end = block + length;
  const uint8_t* p = block;
  while (p < end) {
    const int name_length = BoundedLength(p, end);
    if (p + name_length >= end) break;
    const uint8_t* value = p + name_length + 1;
    const int value_length = BoundedLength(value, end);
    if (value + value_length >= end) break;
    std::string name(reinterpret_cast<const char*>(p), size_t(name_length));
    std::string text(reinterpret_cast<const char*>(value), size_t(value_length));
    bool replaced = false;
    for (auto& [known, known_value] : options) {
      if (known == name) {
        known_value = std::move(text);
        replaced = true;
        break;
      }
    }
    if (!replaced) options.emplace_back(std::move(name), std::move(text));
    p = value + value_length + 1;
  }
  return options;
}

int BuildError(std::vector<uint8_t>* out, ErrorCode code, const char* message) {
  const size_t text_length = std::strlen(message);
  out->assign(4 + text_length + 1, 0);
  WriteU16(out->data(), kError);
  WriteU16(out->data() + 2, uint16_t(code));
  std::memcpy(out->data() + 4, message, text_length);
  return int(out->size());
}

int BuildAck(uint8_t* out, uint16_t block) {
  WriteU16(out, kAck);
  WriteU16(out + 2, block);
  return 4;
}

}  // namespace ztftp
