#pragma once
// One instance per user. The first start holds an flock'ed lock file in the
// runtime folder for as long as it lives and listens on a Unix domain socket
// beside it; a second start finds the lock taken, asks the running instance
// through the socket to raise its window (or delivers one of the window
// messages 1691, 1705, 2022 that other processes may send), and exits.
//
// A crashed instance leaves nothing that blocks the next start: the kernel
// drops its lock with the process, and the lock holder replaces whatever
// socket file it finds (nobody else can be serving it).
//
// Requests reach the running side through a callback on a listener thread of
// this class; the shell marshals them to the UI thread. A request that comes
// in before StartListening waits in the socket's backlog, so a second start
// during the first one's start-up is not lost.
//
// Start-up:
//   StartOptions opt = ParseStartOptions(argc, argv);
//   SingleInstance instance;
//   if (auto code = HandOverToRunningInstance(instance, opt)) return *code;
//   ... create the window, then instance.StartListening(handler) ...

#include <sys/types.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace zq {

// The window messages another process may deliver to the running window.
inline constexpr uint32_t kMsgExitRequest = 1691;   // lParam 610: exit
inline constexpr int64_t kExitRequestParam = 610;
inline constexpr uint32_t kMsgProfileFile = 1705;   // wParam 1 import, 2 export lParam
inline constexpr uint32_t kMsgApplyLanguage = 2022;

bool IsDeliverableMessage(uint32_t message);

struct InstanceRequest {
  enum class Kind { kRaise, kMessage };
  Kind kind = Kind::kRaise;
  uint32_t message = 0;
  int64_t wparam = 0;
  int64_t lparam = 0;

  static InstanceRequest Raise() { return {}; }
  static InstanceRequest Message(uint32_t message, int64_t wparam, int64_t lparam) {
    return {Kind::kMessage, message, wparam, lparam};
  }
  bool operator==(const InstanceRequest&) const = default;
};

// One request per connection, one line of text: "raise" or
// "message <id> <wParam> <lParam>". Decoding refuses anything else,
// including messages other processes may not send.
std::string EncodeRequest(const InstanceRequest& request);
std::optional<InstanceRequest> DecodeRequest(std::string_view line);

// The command line: "-hide" anywhere (a plain substring search, as the
// program always did) starts hidden; "--send <message> [wParam [lParam]]"
// only delivers a message to the running instance.
struct StartOptions {
  bool hide = false;
  bool send_only = false;
  // What a second start asks of the first: raise, or the --send message.
  InstanceRequest request;
  // Set when --send is malformed or names a message that cannot be sent.
  std::string error;
};
StartOptions ParseStartOptions(int argc, const char* const* argv);

class SingleInstance {
 public:
  enum class Claim {
    kFirst,         // this process is the instance; it holds the lock
    kOtherRunning,  // another process holds the lock: Send, then exit
    kUnavailable,   // no lock could be made: go on as the only instance
  };
  using Handler = std::function<void(const InstanceRequest&)>;

  // The lock and socket named after the application in RuntimeFolder().
  SingleInstance();
  // Explicit folder (with or without trailing "/") and base name (tests).
  SingleInstance(std::string folder, std::string name);
  // Stops listening, removes the socket it created and releases the lock.
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  Claim TryClaim();

  // kFirst only: serves requests on a thread of its own, calling handler
  // there for each valid request of a process of the same user.
  bool StartListening(Handler handler);
  void StopListening();

  // Delivers a request to the running instance. Retries for a short while,
  // since the running instance may be between taking the lock and binding
  // its socket. True when the request was handed to its socket.
  bool Send(const InstanceRequest& request) const;

  const std::string& LockPath() const { return lock_path_; }
  const std::string& SocketPath() const { return socket_path_; }

 private:
  bool BindSocket();
  void ListenLoop();
  void Serve(int connection);

  std::string lock_path_;
  std::string socket_path_;
  int lock_fd_ = -1;
  int listen_fd_ = -1;
  bool socket_bound_ = false;
  int wake_pipe_[2] = {-1, -1};
  Handler handler_;
  std::thread listener_;
};

// Claims the instance or hands the start over to the one running. Returns
// the exit code when this process should end now: 0 when a running instance
// got the request (or a second start found the lock taken but could not
// reach it), 1 for --send without a running instance, 2 for a malformed
// --send (the reason on stderr). Nothing: go on as the instance.
std::optional<int> HandOverToRunningInstance(SingleInstance& instance, const StartOptions& opt);

}  // namespace zq
