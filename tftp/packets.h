#pragma once
// Wire layouts of the TFTP packets the server reads and writes. Every
// integer is 16-bit big-endian; strings end with one zero byte.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace ztftp {

enum Opcode : uint16_t {
  kReadRequest = 1,
  kWriteRequest = 2,
  kData = 3,
  kAck = 4,
  kError = 5,
  kOptionAck = 6,
};

// The error codes of RFC 1350. The server's texts and the code sent with
// each are the product's historic ones, which peers and their users know,
// even where RFC 1350 would pick another code (an unknown peer is answered
// with kFileNotFound, not kUnknownTransferId).
enum class ErrorCode : uint16_t {
  kNotDefined = 0,
  kFileNotFound = 1,
  kAccessViolation = 2,
  kDiskFull = 3,
  kIllegalOperation = 4,
  kUnknownTransferId = 5,
  kFileExists = 6,
  kNoSuchUser = 7,
};

constexpr int kReceiveBufferSize = 4096;
constexpr int kDataHeaderSize = 4;
constexpr int kDefaultBlockSize = 512;
constexpr int kMaxBlockSize = 2048;
constexpr int kMaxPacketSize = kDataHeaderSize + kMaxBlockSize;

inline uint16_t ReadU16(const uint8_t* p) { return uint16_t(p[0] << 8 | p[1]); }
inline void WriteU16(uint8_t* p, uint16_t value) {
  p[0] = uint8_t(value >> 8);
  p[1] = uint8_t(value);
}

// The parts of a read or write request. Strings end at their zero byte or at
// the end of the datagram, whichever comes first.
struct Request {
  std::string filename;
  bool has_mode = false;  // a mode string starts inside the datagram
  const uint8_t* options = nullptr;
  int options_length = 0;  // bytes after the zero that ends the mode
};
Request ParseRequest(const uint8_t* datagram, int length);

// Option pairs in the order the peer wrote them; a repeated name keeps its
// first position and takes the later value. Unterminated pairs are dropped.
using OptionList = std::vector<std::pair<std::string, std::string>>;
OptionList ParseOptions(const uint8_t* block, int length);

// Packet builders; each returns the packet's length in `out`.
int BuildError(std::vector<uint8_t>* out, ErrorCode code, const char* message);
int BuildAck(uint8_t* out, uint16_t block);

}  // namespace ztftp
