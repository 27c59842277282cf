#pragma once
// A small TFTP server: read and write requests, the blksize, timeout, tsize
// and windowsize options, one UDP socket served by one worker thread.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tftp/tftp_client.h"
#include "tftp/udp_socket.h"

namespace ztftp {

class tftpd {
 public:
  // Called on the worker thread after every new DATA block of a read
  // transfer: file bytes sent so far, file size, resolved path. Must not block.
  using ProgressCallback = std::function<void(int position, int size, const std::string& path)>;
  // Receives each log line (with its line end); when empty, lines go to stdout.
  using LogSink = std::function<void(const std::string& line)>;
  // What the server saw of a peer, for a caller that explains what a device is
  // doing. Only the rare moments of a transfer: never once per block.
  struct PeerEvent {
    enum class Kind {
      kReadRequest,  // a read of a file that is served, about to start
      kNameRefused,  // a read of a name that is not served
      kGivenUp,      // a read transfer dropped because the peer fell silent
      kOptionAck,    // the OACK that answered a read request's options
      kReadDone,     // the last block of a read was acknowledged
      kReadLeft,     // a read still going when the server was shut down
    };
    Kind kind = Kind::kReadRequest;
    PeerAddress peer;
    std::string name;  // the name as the peer sent it
    // A read of this run of the server had sent the whole of its file
    // before this request. Decided here, on the worker, so that it does not
    // depend on the order in which a receiver sees events and progress.
    bool after_whole_file = false;
    // The request's options ("name=value", space separated; kReadRequest),
    // or the options the OACK acknowledged (kOptionAck).
    std::string options;
    // kReadDone, kGivenUp and kReadLeft: what the transfer moved and how
    // long it took (kReadLeft: up to the peer's last packet).
    uint64_t blocks = 0;
    int64_t bytes = 0;
    uint64_t resends = 0;
    uint64_t duration_ms = 0;
  };
  // Called on the worker thread; must not block.
  using PeerEventCallback = std::function<void(const PeerEvent& event)>;

  static constexpr int kDefaultPort = 69;
  static constexpr size_t kMaxRootLength = 511;
  // More live records than this and the one idle longest makes room.
  static constexpr size_t kMaxClients = 256;
  // A read transfer resends what the peer has not acknowledged whenever its
  // retransmission timer runs out (RetransmitTimer: from a few tens of
  // milliseconds, doubling, at most the negotiated timeout). A peer that has
  // sent nothing for (kMaxResends + 1) timeouts is silent and its record goes,
  // as when it was served again once per timeout, kMaxResends times.
  static constexpr int kMaxResends = 5;
  static constexpr uint64_t kIdleRemovalMs = 45000;
  // The longest single wait of the worker: with no timer due sooner (or no
  // transfer at all) it wakes this often, which is when stop() takes effect.
  static constexpr int kLongestWaitMs = 5000;
  // The same ACK again within this time is a duplicate, not a request to resend.
  static constexpr uint64_t kRepeatedAckWindowMs = 1000;
  // Datagrams taken from the socket per wake-up.
  static constexpr int kReceiveBatch = 32;

  tftpd() = default;
  ~tftpd();
  tftpd(const tftpd&) = delete;
  tftpd& operator=(const tftpd&) = delete;

  // Binds bind_ip (null: keep the any-address) and port (0: keep 69), serves
  // `root`, and starts the worker. 0 on success, -1 on failure (logged).
  int start(const char* bind_ip, int port, const char* root);
  // Asks the worker to leave its loop at its next wake-up.
  void stop();
  // Stops the worker, wakes it at once and waits for it; the socket and the
  // transfer records go, each unfinished read told as kReadLeft (on the
  // calling thread). Afterwards the object can be started again.
  void shut_down();
  bool running() const { return worker.joinable(); }

  // From now on only `file_name` (a plain name in the root) is served:
  // every write request is refused as an access violation, any other name
  // is answered as a missing file. With `source_path` set, that name is
  // answered with the bytes of this file instead, wherever it lies.
  void serve_only(std::string file_name, std::string source_path = {});
  // Write requests replace existing files under the root, for any peer that
  // reaches the socket, so they are refused (access violation) until a
  // caller that means to accept them says so. serve_only refuses them anyway.
  void allow_uploads(bool allowed) { uploads_allowed_ = allowed; }

  // What went wrong in the last failed start, for callers that explain it.
  SocketStage failed_stage() const { return failed_stage_; }
  int failed_error() const { return failed_error_; }
  // The port actually bound (useful with an ephemeral port in tests), or 0.
  uint16_t bound_port() const { return sock ? sock->LocalPort() : 0; }

  // Serving without the worker thread, over a given socket: the packet logic
  // driven step by step with explicit times (fuzzing and sweep tests).
  int attach(std::unique_ptr<UdpSocket> socket, const char* root);
  void on_packet(const uint8_t* data, int length, const PeerAddress& from, uint64_t now_ms);
  // Runs the due retransmission timers and removes silent and idle records.
  void check_clients(uint64_t now_ms);
  // When check_clients next has something to do: the earliest timer or
  // removal, and at most kLongestWaitMs after now_ms.
  uint64_t next_wakeup_ms(uint64_t now_ms) const;
  size_t client_count() const { return clients.size(); }

  ProgressCallback progress_callback;
  LogSink log_sink;
  PeerEventCallback peer_event_callback;

 private:
  void run();
  int open_socket();
  void set_root(const char* root);

  tftp_client* find_client(const PeerAddress& peer);
  tftp_client* add_client(const PeerAddress& peer, int opcode, uint64_t now_ms);
  void remove_client(size_t index, bool force_fail);

  void handle_request(const uint8_t* data, int length, const PeerAddress& from, tftp_client* client, uint64_t now_ms);
  void handle_ack(tftp_client& client, uint16_t block, uint64_t now_ms);
  void receive_block(tftp_client& client, uint16_t block, const uint8_t* payload, int length);
  bool open_file(tftp_client& client, const PeerAddress& to);
  void start_transfer(tftp_client& client, const PeerAddress& to, uint64_t now_ms);
  void send_next_block(tftp_client& client, const PeerAddress& to, uint64_t now_ms);
  // True when no more data is to go: the transfer is over (the file is
  // closed, once) or its file has closed under it (the peer is told).
  bool nothing_more_to_send(tftp_client& client, bool over, const PeerAddress& to, uint64_t now_ms);
  void send_packet(tftp_client& client, const PeerAddress& to, uint64_t now_ms);
  // Retransmission timer: started after every transmission of what a read
  // awaits an ACK for (a sample is taken only if it went once), sampled when
  // the peer acknowledges, and run out by check_clients.
  void await_ack(tftp_client& client, uint64_t now_ms, bool first_transmission);
  void acknowledged(tftp_client& client, uint64_t now_ms);
  void resend_on_timer(tftp_client& client, uint64_t now_ms);
  void report_progress(const tftp_client& client);
  // Windowed reads (windowsize above 1).
  void handle_windowed_ack(tftp_client& client, uint16_t block, uint64_t now_ms);
  void send_window(tftp_client& client, const PeerAddress& to, uint64_t now_ms);
  bool read_block(tftp_client& client, uint64_t number, size_t length, const PeerAddress& to);
  void fail_read(tftp_client& client, const PeerAddress& to);
  void send_error(ErrorCode code, const char* message, const PeerAddress& to);
  void tell(PeerEvent::Kind kind, const tftp_client& client, std::string options = {});
  // The read's last block was acknowledged.
  void read_done(const tftp_client& client, uint64_t now_ms);
  // The last block of a read went out for the first time.
  void whole_file_sent(tftp_client& client);
  // False (after answering the peer) when the request is a refused upload or
  // serve_only forbids it.
  bool request_allowed(const tftp_client& client, const PeerAddress& to);

  void write_log(const char* format, ...);

  std::atomic<bool> stop_requested{false};
  std::unique_ptr<UdpSocket> sock;
  uint32_t bind_addr = 0;
  int port = kDefaultPort;
  std::string root_dir = "/";
  std::vector<std::unique_ptr<tftp_client>> clients;
  std::thread worker;

  SocketStage failed_stage_ = SocketStage::kNone;
  int failed_error_ = 0;
  std::vector<uint8_t> error_packet_;
  std::string only_file_;  // empty: every file in the root
  bool uploads_allowed_ = false;
  std::string only_source_;       // empty: only_file_ is read from the root
  bool whole_file_sent_ = false;  // worker thread only; reset by start
};

}  // namespace ztftp
