#pragma once
// Option negotiation: which requested options the server takes, and the
// option block of its OACK. Only what the server acts on is acknowledged,
// so the peer and the server always agree on the block size and timeout.

#include <cstdint>
#include <string>

#include "tftp/packets.h"

namespace ztftp {

constexpr int kDefaultTimeoutMs = 5000;
constexpr int kMaxWindowSize = 64;

struct Negotiation {
  int blksize = kDefaultBlockSize;
  int timeout_ms = kDefaultTimeoutMs;
  int windowsize = 1;        // blocks sent per acknowledgement (reads only)
  std::string oack_options;  // name, zero, value, zero... ; empty: send no OACK
  bool saw_blksize = false;  // a "blksize" option was present (for the debug line)
};

// `file_size` is the real size of the file a read sends; for a write it is
// ignored and the peer's own "tsize" is echoed.
Negotiation Negotiate(const OptionList& options, bool is_read, int64_t file_size);

// Leading decimal digits of `text`, saturating; false when there are none.
bool ReadDecimal(const std::string& text, int64_t* value);

}  // namespace ztftp
