#include "tftp/tftp_client.h"

namespace ztftp {

tftp_client::tftp_client(const PeerAddress& peer, int request_opcode, uint64_t now_ms)
    : ip(peer.ip), port(peer.port), mode(request_opcode), last_active_ms(now_ms) {}

tftp_client::~tftp_client() { reset(); }

void tftp_client::reset() {
  if (file != nullptr) {
    std::fclose(file);
    file = nullptr;
    if (mode == kWriteRequest && !finished) std::remove(path.c_str());
  }
  finished = false;
  block = 0;
  blocks_moved = 0;
  bytes_sent = 0;
  blocks_acked = 0;
  blocks_in_stream = 0;
  resends = 0;
  total_resends = 0;
  request_options.clear();
  sample_valid = false;
  timer_due_ms = 0;
}

}  // namespace ztftp
