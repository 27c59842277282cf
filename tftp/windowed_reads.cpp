// Read transfers with a window of several blocks per acknowledgement. The
// server keeps no copies: a block sent again is read again from the file.

#include <cstdio>

#include "tftp/file_seek.h"
#include "tftp/tftpd.h"

namespace ztftp {

void tftpd::handle_windowed_ack(tftp_client& client, uint16_t block, uint64_t now_ms) {
  tftp_client::Ack& last = client.last_ack;
  if (last.timed && last.block == block && now_ms - last.at_ms < kRepeatedAckWindowMs) {
    // A receiver that sees a gap acknowledges its last block in order once
    // more; take that one repeat, but not a stream of duplicates. It can see
    // a gap only once the window has had time to reach it: a repeat sooner
    // than half a round trip after the window went out answers a copy of
    // an earlier block (a network that duplicates), and is not taken.
    if (last.repeat_taken) return;
    if (int64_t(now_ms - client.last_send_ms) * 2000 < client.timer.smoothed_us()) return;
    last.repeat_taken = true;
  } else {
    last = {block, now_ms, true, false};
  }
  const PeerAddress to = client.peer();
  if (client.blocks_moved == 0) {  // the start after the OACK
    if (block != 0) return;
    acknowledged(client, now_ms);
    if (client.file == nullptr && !open_file(client, to)) return;
    send_window(client, to, now_ms);
    await_ack(client, now_ms, true);
    return;
  }
  // Which block in flight (or the last one acknowledged) this number names.
  const uint16_t ahead = uint16_t(block - uint16_t(client.blocks_acked));
  if (ahead > client.blocks_moved - client.blocks_acked) return;
  if (ahead > 0) {
    acknowledged(client, now_ms);
    client.blocks_acked += ahead;
  }
  // Over once the last block is acknowledged.
  const bool over = client.finished && client.blocks_acked == client.blocks_moved;
  if (nothing_more_to_send(client, over, to, now_ms)) return;
  // Only a window of new blocks gives a round trip that can be sampled.
  const bool all_new = client.blocks_acked == client.blocks_moved;
  send_window(client, to, now_ms);
  await_ack(client, now_ms, all_new);
}

// Sends the window that follows the last acknowledged block: blocks already
// sent go again, new ones are read on and reported to the progress callback.
void tftpd::send_window(tftp_client& client, const PeerAddress& to, uint64_t now_ms) {
  const size_t full = size_t(client.blksize);
  const uint64_t end = client.blocks_acked + uint64_t(client.windowsize);
  for (uint64_t number = client.blocks_acked + 1; number <= end; ++number) {
    const bool fresh = number > client.blocks_moved;
    if (fresh && client.finished) break;
    size_t length = full;
    if (!fresh && number == client.blocks_moved && client.finished) {
      length = size_t(client.bytes_sent - int64_t(client.blocks_moved - 1) * client.blksize);
    }
    if (!read_block(client, number, length, to)) return;
    send_packet(client, to, now_ms);
    if (!fresh) continue;
    const size_t got = size_t(client.packet_len - kDataHeaderSize);
    client.block = uint16_t(number);
    ++client.blocks_moved;
    client.bytes_sent += int64_t(got);
    if (got < full) whole_file_sent(client);
    report_progress(client);
  }
}

// Reads block `number` (counted from 1 over the whole transfer) into the
// packet buffer. A block sent before must come back whole, as `length`
// bytes; otherwise the file changed under the transfer.
bool tftpd::read_block(tftp_client& client, uint64_t number, size_t length, const PeerAddress& to) {
  const bool fresh = number > client.blocks_moved;
  if (client.blocks_in_stream != number - 1 && !SeekFile(client.file, int64_t(number - 1) * client.blksize)) {
    fail_read(client, to);
    return false;
  }
  uint8_t* packet = client.packet.data();
  WriteU16(packet, kData);
  WriteU16(packet + 2, uint16_t(number));
  const size_t got = std::fread(packet + kDataHeaderSize, 1, length, client.file);
  client.blocks_in_stream = number;
  if (std::ferror(client.file) || (!fresh && got != length)) {
    fail_read(client, to);
    return false;
  }
  client.packet_len = int(got) + kDataHeaderSize;
  return true;
}

}  // namespace ztftp
