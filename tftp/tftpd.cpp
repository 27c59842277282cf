#include "tftp/tftpd.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "sys/clock.h"

namespace ztftp {

tftpd::~tftpd() {
  // Whoever set the callback may be gone by now: a read left here goes untold.
  peer_event_callback = nullptr;
  shut_down();
  progress_callback = nullptr;
}

void tftpd::shut_down() {
  stop_requested = true;
  if (sock) sock->Shutdown();  // wakes a receive that is blocked right now
  if (worker.joinable()) worker.join();
  // A download cut off by the stop still says how far it got.
  for (const auto& client : clients) {
    if (client->is_read() && !client->finished) tell(PeerEvent::Kind::kReadLeft, *client);
  }
  clients.clear();
  sock.reset();
  stop_requested = false;
}

void tftpd::serve_only(std::string file_name, std::string source_path) {
  only_file_ = std::move(file_name);
  only_source_ = std::move(source_path);
}

int tftpd::start(const char* bind_ip, int port_number, const char* root) {
  if (sock || worker.joinable()) return -1;  // one server per object
  stop_requested = false;
  whole_file_sent_ = false;
  if (bind_ip != nullptr && !ParseIpv4(bind_ip, &bind_addr)) {
    bind_addr = 0xFFFFFFFFu;  // like inet_addr: an address no card has, so bind fails
  }
  if (port_number > 0) port = port_number;
  if (root == nullptr || std::strlen(root) > kMaxRootLength) return -1;
  set_root(root);
  if (open_socket() != 0) return -1;
  worker = std::thread(&tftpd::run, this);
  return 0;
}

void tftpd::stop() { stop_requested = true; }

int tftpd::attach(std::unique_ptr<UdpSocket> socket, const char* root) {
  if (sock || worker.joinable() || !socket || root == nullptr) return -1;
  sock = std::move(socket);
  set_root(root);
  return 0;
}

void tftpd::set_root(const char* root) { root_dir.assign(root, std::strlen(root)); }

int tftpd::open_socket() {
  sock.reset();
  // The worker sets the receive timeout for each wait (see run).
  SocketOpenResult opened = OpenUdpSocket(bind_addr, uint16_t(port), kLongestWaitMs);
  failed_stage_ = opened.failed_stage;
  failed_error_ = opened.error;
  switch (opened.failed_stage) {
    case SocketStage::kNone: sock = std::move(opened.socket); return 0;
    case SocketStage::kCreate: write_log("socket create failed error is %d\n", opened.error); return -1;
    case SocketStage::kBind: write_log("socket bind failed error is %d\n", opened.error); return -1;
    case SocketStage::kReceiveTimeout: write_log("socket setsockopt failed error is %d\n", opened.error); return -1;
  }
  return -1;
}

void tftpd::run() {
  // Datagrams are taken in batches and the replies go out together, so that
  // many peers at once cost few system calls.
  std::vector<uint8_t> buffers(size_t(kReceiveBatch) * kReceiveBufferSize);
  Datagram batch[kReceiveBatch];
  for (int i = 0; i < kReceiveBatch; ++i) {
    batch[i].buffer = buffers.data() + size_t(i) * kReceiveBufferSize;
    batch[i].capacity = kReceiveBufferSize;
  }
  // The receive timeout is the wait until the earliest timer. Waking early
  // only costs a look at the timers, so the socket keeps its timeout while
  // that is no longer than the wait and not below half of it: a busy
  // transfer, whose timer moves on with every block, changes it rarely.
  int receive_timeout = kLongestWaitMs;
  uint64_t now = zsys::MonotonicMs();
  while (!stop_requested) {
    const uint64_t due = next_wakeup_ms(now);
    const int wait = due > now ? int(std::min<uint64_t>(due - now, kLongestWaitMs)) : 1;
    if (receive_timeout > wait || 2 * receive_timeout < wait) {
      if (sock->SetReceiveTimeout(wait)) receive_timeout = wait;
    }
    const int received = sock->ReceiveBatch(batch, kReceiveBatch);
    if (stop_requested) break;
    now = zsys::MonotonicMs();
    for (int i = 0; i < received; ++i) {
      if (batch[i].length > 2) on_packet(batch[i].buffer, batch[i].length, batch[i].from, now);
    }
    // A busy socket must not keep silent peers from being served again.
    if (now >= due) check_clients(now);
    sock->FlushQueued();
  }
}

void tftpd::on_packet(const uint8_t* data, int length, const PeerAddress& from, uint64_t now_ms) {
  if (length <= 2) return;
  const uint16_t opcode = ReadU16(data);
  tftp_client* client = find_client(from);
  if (client != nullptr) client->last_active_ms = now_ms;

  if (opcode == kReadRequest || opcode == kWriteRequest) {
    handle_request(data, length, from, client, now_ms);
    return;
  }
  if (client == nullptr) {
    // Never answer an ERROR with an ERROR: two servers would bounce them forever.
    if (opcode != kError) send_error(ErrorCode::kFileNotFound, "client not exists or timeout", from);
    return;
  }
  const uint16_t block = length >= 4 ? ReadU16(data + 2) : uint16_t(data[2] << 8);
  if (opcode == kData) {
    if (client->mode == kWriteRequest) receive_block(*client, block, data + 4, length >= 4 ? length - 4 : 0);
  } else if (opcode == kAck) {
    handle_ack(*client, block, now_ms);
  }
}

tftp_client* tftpd::find_client(const PeerAddress& peer) {
  for (auto& client : clients) {
    if (client->ip == peer.ip && client->port == peer.port) return client.get();
  }
  return nullptr;
}

tftp_client* tftpd::add_client(const PeerAddress& peer, int opcode, uint64_t now_ms) {
  if (clients.size() >= kMaxClients) {
    size_t oldest = 0;
    for (size_t i = 1; i < clients.size(); ++i) {
      if (clients[i]->last_active_ms < clients[oldest]->last_active_ms) oldest = i;
    }
    remove_client(oldest, false);
  }
  clients.push_back(std::make_unique<tftp_client>(peer, opcode, now_ms));
  return clients.back().get();
}

void tftpd::remove_client(size_t index, bool force_fail) {
  const tftp_client& client = *clients[index];
  write_log("%s: [%s] %s\n", client.is_read() ? "READ" : "WRITE", client.path.c_str(),
            client.finished && !force_fail ? "OK" : "FAIL");
  if (force_fail && client.is_read() && !client.finished) tell(PeerEvent::Kind::kGivenUp, client);
  clients.erase(clients.begin() + std::ptrdiff_t(index));
}

void tftpd::send_error(ErrorCode code, const char* message, const PeerAddress& to) {
  const int length = BuildError(&error_packet_, code, message);
  sock->QueueTo(error_packet_.data(), length, to);
}

void tftpd::tell(PeerEvent::Kind kind, const tftp_client& client, std::string options) {
  if (!peer_event_callback) return;
  PeerEvent event{kind, client.peer(), client.filename, whole_file_sent_, std::move(options)};
  event.blocks = client.blocks_moved;
  event.bytes = client.bytes_sent;
  event.resends = client.total_resends;
  event.duration_ms = client.last_active_ms > client.requested_ms ? client.last_active_ms - client.requested_ms : 0;
  peer_event_callback(event);
}

void tftpd::read_done(const tftp_client& client, uint64_t now_ms) {
  if (!peer_event_callback) return;
  PeerEvent event{PeerEvent::Kind::kReadDone, client.peer(), client.filename, whole_file_sent_, {}};
  event.blocks = client.blocks_moved;
  event.bytes = client.bytes_sent;
  event.resends = client.total_resends;
  event.duration_ms = now_ms - client.requested_ms;
  peer_event_callback(event);
}

void tftpd::whole_file_sent(tftp_client& client) {
  client.finished = true;
  whole_file_sent_ = true;
}

void tftpd::write_log(const char* format, ...) {
  char line[1024];
  va_list args;
  va_start(args, format);
  const int length = std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  if (length < 0) return;
  if (log_sink) {
    log_sink(line);
  } else {
    std::fputs(line, stdout);
    std::fflush(stdout);
  }
}

}  // namespace ztftp
