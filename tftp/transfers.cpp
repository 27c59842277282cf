// The per-peer transfer logic of tftpd: requests and option negotiation,
// opening files, sending blocks, acknowledgements, uploads, the idle sweep.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "sys/debug_output.h"
#include "tftp/negotiation.h"
#include "tftp/root_path.h"
#include "tftp/tftpd.h"

namespace ztftp {
namespace {

constexpr size_t kFileBufferSize = 16 * 1024;

void Debug(const std::string& line) { zsys::DebugOutput(line.c_str()); }

int ClampToInt(int64_t value) { return value > INT32_MAX ? INT32_MAX : int(value); }

// "name=value" pairs, space separated, for the caller's record of a request.
std::string OptionsText(const OptionList& options) {
  std::string text;
  for (const auto& [name, value] : options) text += (text.empty() ? "" : " ") + name + "=" + value;
  return text;
}

// The same for an OACK's body: name, zero, value, zero...
std::string OackText(const std::string& body) {
  OptionList options;
  size_t at = 0;
  while (at < body.size()) {
    const size_t name_end = body.find('\0', at);
    if (name_end == std::string::npos) break;
    size_t value_end = body.find('\0', name_end + 1);
    if (value_end == std::string::npos) value_end = body.size();
    options.emplace_back(body.substr(at, name_end - at), body.substr(name_end + 1, value_end - name_end - 1));
    at = value_end + 1;
  }
  return OptionsText(options);
}

}  // namespace

void tftpd::handle_request(const uint8_t* data, int length, const PeerAddress& from, tftp_client* client,
                           uint64_t now_ms) {
  const int opcode = ReadU16(data);
  if (client != nullptr) {
    client->reset();
    client->mode = opcode;
  } else {
    client = add_client(from, opcode, now_ms);
  }
  const Request request = ParseRequest(data, length);
  client->filename = request.filename;
  client->requested_ms = now_ms;
  client->last_ack = {};
  // Every request negotiates afresh: options the peer leaves out mean the defaults to it.
  client->blksize = kDefaultBlockSize;
  client->timeout_ms = kDefaultTimeoutMs;
  client->windowsize = 1;
  client->timer = RetransmitTimer(client->timeout_ms);

  // These two debug lines keep the product's historic wording, which tools
  // that watch the debug output know: "111" is a request without a mode
  // string, "222" one with a mode string but no option.
  if (!request.has_mode) {
    Debug("not find option 111");
    start_transfer(*client, from, now_ms);
    return;
  }
  const OptionList options = ParseOptions(request.options, request.options_length);
  if (options.empty()) {
    Debug("not find option 222");
    start_transfer(*client, from, now_ms);
    return;
  }
  client->request_options = OptionsText(options);
  // The file is checked (and opened) before any OACK, so that a missing
  // file is refused at once and "tsize" can carry the real size.
  if (!open_file(*client, from)) return;
  const Negotiation negotiation = Negotiate(options, client->is_read(), client->file_size);
  client->blksize = negotiation.blksize;
  client->timeout_ms = negotiation.timeout_ms;
  client->windowsize = negotiation.windowsize;
  client->timer = RetransmitTimer(client->timeout_ms);
  if (negotiation.saw_blksize) Debug("blksize is " + std::to_string(client->blksize));

  if (negotiation.oack_options.empty()) {  // nothing acknowledged: as without options
    if (client->is_read()) {
      send_next_block(*client, from, now_ms);
    } else {
      client->packet_len = BuildAck(client->packet.data(), 0);
      send_packet(*client, from, now_ms);
    }
    return;
  }
  const std::string& body = negotiation.oack_options;
  WriteU16(client->packet.data(), kOptionAck);
  const size_t body_length = std::min(body.size(), client->packet.size() - 2);
  std::memcpy(client->packet.data() + 2, body.data(), body_length);
  client->packet_len = int(2 + body_length);
  send_packet(*client, from, now_ms);
  await_ack(*client, now_ms, true);
  if (client->is_read()) tell(PeerEvent::Kind::kOptionAck, *client, OackText(body));
}

void tftpd::start_transfer(tftp_client& client, const PeerAddress& to, uint64_t now_ms) {
  if (!open_file(client, to)) return;
  if (client.is_read()) {
    send_next_block(client, to, now_ms);
  } else {
    client.packet_len = BuildAck(client.packet.data(), 0);
    send_packet(client, to, now_ms);
  }
}

bool tftpd::request_allowed(const tftp_client& client, const PeerAddress& to) {
  if (!client.is_read() && (!uploads_allowed_ || !only_file_.empty())) {
    send_error(ErrorCode::kAccessViolation, "access violation", to);
    return false;
  }
  if (only_file_.empty()) return true;
  std::string requested, served;
  if (!ResolveInsideRoot(root_dir, client.filename, &requested) || !ResolveInsideRoot(root_dir, only_file_, &served) ||
      requested != served) {
    if (client.is_read()) tell(PeerEvent::Kind::kNameRefused, client);
    send_error(ErrorCode::kFileNotFound, "file not exist!", to);
    return false;
  }
  return true;
}

bool tftpd::open_file(tftp_client& client, const PeerAddress& to) {
  std::string resolved;
  const bool inside = ResolveInsideRoot(root_dir, client.filename, &resolved);
  client.path = inside ? resolved : root_dir + "/" + client.filename;
  write_log("TRANS: %s\n", client.path.c_str());
  if (!request_allowed(client, to)) return false;
  if (!inside) {
    send_error(ErrorCode::kAccessViolation, "access violation", to);
    return false;
  }
  // Past the check above, a request here names the one served file.
  if (!only_file_.empty() && !only_source_.empty()) client.path = only_source_;
  std::error_code error;
  const std::filesystem::path path(client.path);
  if (!std::filesystem::exists(path, error)) {
    send_error(ErrorCode::kFileNotFound, "file not exist!", to);
    return false;
  }
  if (client.file != nullptr) {  // a renewed attempt on a record that still holds its file
    std::fclose(client.file);
    client.file = nullptr;
  }
  const bool regular = std::filesystem::is_regular_file(path, error);
  std::FILE* file = regular ? std::fopen(client.path.c_str(), client.is_read() ? "rb" : "wb") : nullptr;
  if (file == nullptr) {
    send_error(ErrorCode::kFileNotFound, "open file error", to);
    return false;
  }
  std::setvbuf(file, nullptr, _IOFBF, kFileBufferSize);
  client.file = file;
  client.block = 0;
  client.blocks_moved = 0;
  client.bytes_sent = 0;
  client.blocks_acked = 0;
  client.blocks_in_stream = 0;
  client.finished = false;
  if (client.is_read()) {
    tell(PeerEvent::Kind::kReadRequest, client, client.request_options);
    const auto size = std::filesystem::file_size(path, error);
    client.file_size = error ? 0 : int64_t(size);
    write_log("filename is %s size is %d\n", client.path.c_str(), ClampToInt(client.file_size));
    Debug("filename is " + client.path + ", size is " + std::to_string(client.file_size));
  }
  return true;
}

void tftpd::send_packet(tftp_client& client, const PeerAddress& to, uint64_t now_ms) {
  sock->QueueTo(client.packet.data(), client.packet_len, to);
  client.last_send_ms = now_ms;
}

void tftpd::await_ack(tftp_client& client, uint64_t now_ms, bool first_transmission) {
  if (first_transmission) {
    client.first_send_ms = now_ms;
    client.resends = 0;
  }
  client.sample_valid = first_transmission;
  client.timer_due_ms = now_ms + uint64_t(client.timer.TimeoutMs());
}

void tftpd::acknowledged(tftp_client& client, uint64_t now_ms) {
  if (client.sample_valid && now_ms >= client.first_send_ms) {
    client.timer.AddSample(now_ms - client.first_send_ms);
  }
  client.sample_valid = false;
  client.resends = 0;
}

bool tftpd::nothing_more_to_send(tftp_client& client, bool over, const PeerAddress& to, uint64_t now_ms) {
  if (over) {
    if (client.file != nullptr) {
      if (client.is_read()) read_done(client, now_ms);
      std::fclose(client.file);
      client.file = nullptr;
    }
    return true;
  }
  if (client.file == nullptr) {
    send_error(ErrorCode::kAccessViolation, "file had closed", to);
    return true;
  }
  return false;
}

void tftpd::send_next_block(tftp_client& client, const PeerAddress& to, uint64_t now_ms) {
  if (nothing_more_to_send(client, client.finished, to, now_ms)) return;
  ++client.block;
  uint8_t* packet = client.packet.data();
  WriteU16(packet, kData);
  WriteU16(packet + 2, client.block);
  const size_t wanted = size_t(client.blksize);
  const size_t got = std::fread(packet + kDataHeaderSize, 1, wanted, client.file);
  if (std::ferror(client.file)) {
    fail_read(client, to);
    return;
  }
  if (got < wanted) whole_file_sent(client);
  client.packet_len = int(got) + kDataHeaderSize;
  send_packet(client, to, now_ms);
  await_ack(client, now_ms, true);
  ++client.blocks_moved;
  client.bytes_sent += int64_t(got);
  report_progress(client);
}

void tftpd::fail_read(tftp_client& client, const PeerAddress& to) {
  std::fclose(client.file);
  client.file = nullptr;
  client.finished = false;
  // The file no longer reads back as it did: no RFC 1350 code says that.
  send_error(ErrorCode::kNotDefined, "read file data error", to);
}

void tftpd::report_progress(const tftp_client& client) {
  if (progress_callback) {
    progress_callback(ClampToInt(client.bytes_sent), ClampToInt(client.file_size), client.path);
  }
}

void tftpd::handle_ack(tftp_client& client, uint16_t block, uint64_t now_ms) {
  if (client.windowsize > 1) {
    handle_windowed_ack(client, block, now_ms);
    return;
  }
  const tftp_client::Ack& last = client.last_ack;
  if (last.timed && last.block == block && now_ms - last.at_ms < kRepeatedAckWindowMs) return;
  client.last_ack = {block, now_ms, true};
  if (!client.is_read()) return;

  const PeerAddress to = client.peer();
  if (block == client.block) {
    acknowledged(client, now_ms);
    // Block 0 before anything was sent starts the transfer after an OACK, or
    // retries a file that could not be opened; after a rollover it is just
    // the next acknowledgement.
    if (client.blocks_moved == 0 && client.file == nullptr && !open_file(client, to)) return;
    send_next_block(client, to, now_ms);
  } else if (uint16_t(client.block - block) == 1 && client.packet_len > 0) {
    // The peer has not had the block last sent. Sent (or sent again) within
    // the timer's period, it may still be on its way: sending it once more
    // for every such ACK is how the Sorcerer's Apprentice starts.
    if (now_ms < client.last_send_ms + uint64_t(client.timer.TimeoutMs())) return;
    Debug("block_id is resend " + std::to_string(block));
    ++client.total_resends;
    send_packet(client, to, now_ms);
    await_ack(client, now_ms, false);
  }
}

void tftpd::receive_block(tftp_client& client, uint16_t block, const uint8_t* payload, int length) {
  uint8_t ack[4];
  if (block == client.block) {  // a repeat: acknowledge again, write nothing
    sock->QueueTo(ack, BuildAck(ack, block), client.peer());
    return;
  }
  if (client.file == nullptr) {
    send_error(ErrorCode::kFileNotFound, "file not opened.", client.peer());
    return;
  }
  // A block from the future or the far past would land at the wrong offset.
  if (block != uint16_t(client.block + 1)) return;
  if (length > 0 && std::fwrite(payload, 1, size_t(length), client.file) != size_t(length)) {
    client.reset();  // drops the partial file
    send_error(ErrorCode::kDiskFull, "write file data error", client.peer());
    return;
  }
  client.block = block;
  ++client.blocks_moved;
  if (length < client.blksize) {
    client.finished = true;
    std::fclose(client.file);
    client.file = nullptr;
  }
  sock->QueueTo(ack, BuildAck(ack, block), client.peer());
}

namespace {

// What a read transfer has sent waits for an acknowledgement.
bool AwaitsAck(const tftp_client& client) {
  return client.is_read() && client.file != nullptr && client.packet_len > 0;
}

// A peer that has sent nothing for this long is silent and its record goes.
uint64_t GiveUpMs(const tftp_client& client) {
  const uint64_t silence = uint64_t(tftpd::kMaxResends + 1) * uint64_t(client.timeout_ms);
  return client.last_active_ms + std::min(silence, tftpd::kIdleRemovalMs);
}

uint64_t NextEventMs(const tftp_client& client) {
  if (!AwaitsAck(client)) return client.last_active_ms + tftpd::kIdleRemovalMs;
  return std::min(client.timer_due_ms, GiveUpMs(client));
}

}  // namespace

void tftpd::resend_on_timer(tftp_client& client, uint64_t now_ms) {
  ++client.resends;
  ++client.total_resends;
  client.timer.BackOff();
  if (client.windowsize > 1 && client.blocks_moved > 0) {
    // The window again, from the first block not acknowledged.
    write_log("ReSend [%s] BlockID=%d.\n", client.path.c_str(), int(uint16_t(client.blocks_acked + 1)));
    send_window(client, client.peer(), now_ms);
  } else {
    send_packet(client, client.peer(), now_ms);
    write_log("ReSend [%s] BlockID=%d.\n", client.path.c_str(), int(client.block));
  }
  await_ack(client, now_ms, false);
}

void tftpd::check_clients(uint64_t now_ms) {
  size_t i = 0;
  while (i < clients.size()) {
    tftp_client& client = *clients[i];
    if (AwaitsAck(client)) {
      if (now_ms >= GiveUpMs(client)) {
        remove_client(i, true);
        continue;
      }
      if (now_ms >= client.timer_due_ms) resend_on_timer(client, now_ms);
    } else if (now_ms >= client.last_active_ms + kIdleRemovalMs) {
      remove_client(i, false);
      continue;
    }
    ++i;
  }
}

uint64_t tftpd::next_wakeup_ms(uint64_t now_ms) const {
  uint64_t next = now_ms + uint64_t(kLongestWaitMs);
  for (const auto& client : clients) next = std::min(next, NextEventMs(*client));
  return next;
}

}  // namespace ztftp
