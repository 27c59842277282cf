#pragma once
// One thing the watch on the repair card saw, from whichever source: the
// card's link, the capture on the card, the TFTP server.

#include <string>

#include "sys/text_encoding.h"

namespace zapp {

struct DiagnosisEvent {
  enum class Kind {
    kLinkUp,
    kLinkDown,
    kAddressPutBack,   // the repair address was removed and is back
    kBoxPacket,        // any packet from the box's own address (`address`)
    kArpForOther,      // the box (`address`) asks who has `detail`, not the server
    kReadRequest,      // the box (`address`) asks for the served file `detail`
    kUnknownName,      // the box (`address`) asks for a name we do not serve (`detail`)
    kTransferGivenUp,  // the server dropped the transfer to `address`
    kSourceMissing,    // a source cannot watch; `detail` is the text that says which part
  };
  Kind kind = Kind::kBoxPacket;
  std::string address;  // dotted quad of the box, when known
  std::string detail;   // UTF-8
  // kReadRequest: the server had already sent the whole image before it.
  bool afterWholeImage = false;

  // A source that cannot watch, with the status text that says which part.
  static DiagnosisEvent SourceMissing(const wchar_t* text) {
    return {Kind::kSourceMissing, {}, zsys::WideToUtf8(text)};
  }
};

}  // namespace zapp
