#include "tftp/negotiation.h"

#include <algorithm>

namespace ztftp {
namespace {

constexpr int kMinBlockSize = 8;
constexpr int kMinTimeoutSeconds = 1;
constexpr int kMaxTimeoutSeconds = 19;

void Acknowledge(std::string* oack, const std::string& name, int64_t value) {
  oack->append(name);
  oack->push_back('\0');
  oack->append(std::to_string(value));
  oack->push_back('\0');
}

}  // namespace

bool ReadDecimal(const std::string& text, int64_t* value) {
  int64_t result = 0;
  size_t i = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (result < (int64_t(1) << 40)) result = result * 10 + (text[i] - '0');
  }
  if (i == 0) return false;
  *value = result;
  return true;
}

Negotiation Negotiate(const OptionList& options, bool is_read, int64_t file_size) {
  Negotiation result;
  for (const auto& [name, text] : options) {
    int64_t value = 0;
    const bool readable = ReadDecimal(text, &value);
    if (name == "blksize") {
      result.saw_blksize = true;
      if (!readable || value < kMinBlockSize) continue;
      // Larger than we send: answer with the default, which a peer must accept.
      result.blksize = value <= kMaxBlockSize ? int(value) : kDefaultBlockSize;
      Acknowledge(&result.oack_options, name, result.blksize);
    } else if (name == "timeout") {
      if (!readable || value < kMinTimeoutSeconds || value > kMaxTimeoutSeconds) continue;
      result.timeout_ms = int(value) * 1000;
      Acknowledge(&result.oack_options, name, value);
    } else if (name == "windowsize") {
      // Uploads stay lock-step: the peer falls back to one block per ACK.
      if (!is_read || !readable || value < 1) continue;
      result.windowsize = int(std::min<int64_t>(value, kMaxWindowSize));
      Acknowledge(&result.oack_options, name, result.windowsize);
    } else if (name == "tsize") {
      if (is_read) {
        Acknowledge(&result.oack_options, name, file_size);
      } else if (readable) {
        Acknowledge(&result.oack_options, name, value);
      }
    }
  }
  return result;
}

}  // namespace ztftp
