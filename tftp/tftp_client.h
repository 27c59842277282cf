#pragma once
// One peer's transfer record, found again by the peer's address and port.

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

#include "tftp/negotiation.h"
#include "tftp/packets.h"
#include "tftp/retransmit_timer.h"
#include "tftp/udp_socket.h"

namespace ztftp {

struct tftp_client {
  tftp_client(const PeerAddress& peer, int request_opcode, uint64_t now_ms);
  ~tftp_client();
  tftp_client(const tftp_client&) = delete;
  tftp_client& operator=(const tftp_client&) = delete;

  // Ends the current transfer so that a new request can reuse the record.
  // An unfinished upload's file is deleted: no partial file stays behind.
  void reset();
  bool is_read() const { return mode == kReadRequest; }
  PeerAddress peer() const { return {ip, port}; }

  uint32_t ip;    // network byte order
  uint16_t port;  // network byte order
  int mode;       // opcode of the latest request
  std::string path;
  std::FILE* file = nullptr;
  int64_t file_size = 0;
  bool finished = false;
  uint64_t last_active_ms;
  // The last packet sent (DATA, or the OACK while it waits for block 0),
  // kept for sending again; blocks are read straight into it.
  std::array<uint8_t, kMaxPacketSize> packet{};
  int packet_len = 0;
  uint16_t block = 0;
  int blksize = kDefaultBlockSize;
  std::string filename;
  int timeout_ms = kDefaultTimeoutMs;

  struct Ack {
    uint16_t block = 0;
    uint64_t at_ms = 0;
    bool timed = false;  // false until an ACK was taken into account
    // Windowed reads take one repeat within the window: the peer's sign of a gap.
    bool repeat_taken = false;
  } last_ack;

  // Blocks sent (read) or stored (write) in this transfer. Block numbers roll
  // over after 65535, so the number alone cannot tell a first block 0 apart.
  uint64_t blocks_moved = 0;
  int64_t bytes_sent = 0;
  // Windowed reads: up to `windowsize` blocks in flight after the
  // `blocks_acked` first ones. Blocks sent again are read again by offset;
  // the stream stands after `blocks_in_stream` blocks.
  int windowsize = 1;
  uint64_t blocks_acked = 0;
  uint64_t blocks_in_stream = 0;
  // Retransmission of what a read transfer has sent and the peer has yet to
  // acknowledge: the OACK, the block, or the window in flight.
  RetransmitTimer timer;
  uint64_t timer_due_ms = 0;   // when it goes again unless acknowledged
  uint64_t last_send_ms = 0;   // the latest transmission, first or again
  uint64_t first_send_ms = 0;  // the first transmission of what is awaited
  bool sample_valid = false;   // sent once only: its round trip is a sample (Karn)
  int resends = 0;             // of the packet or window now in flight
  // For the caller's record of the transfer: the request's options as text,
  // when the request came, and every resend of the whole transfer.
  std::string request_options;
  uint64_t requested_ms = 0;
  uint64_t total_resends = 0;
};

}  // namespace ztftp
