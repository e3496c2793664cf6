#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "platform/Paths.h"

namespace zq {
namespace {

constexpr size_t kMaxRequestBytes = 256;
// A second start waits this long for the running instance to bind its
// socket (it may have just taken the lock).
constexpr int kConnectAttempts = 40;
constexpr auto kConnectRetryDelay = std::chrono::milliseconds(50);
// A client that connects and then says nothing holds the listener up at most
// this long.
constexpr int kReceiveTimeoutSeconds = 1;

std::string WithSlash(std::string p) {
  if (p.empty() || p.back() != '/') p.push_back('/');
  return p;
}

// Strict integer: optional '-', digits only, within int64.
std::optional<int64_t> ParseInteger(std::string_view text) {
  if (text.empty() || text.size() > 20) return std::nullopt;
  std::string s(text);
  size_t digits_from = s[0] == '-' ? 1 : 0;
  if (digits_from == s.size()) return std::nullopt;
  for (size_t i = digits_from; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return std::nullopt;
  }
  errno = 0;
  long long v = std::strtoll(s.c_str(), nullptr, 10);
  if (errno == ERANGE) return std::nullopt;
  return static_cast<int64_t>(v);
}

std::vector<std::string_view> SplitBlanks(std::string_view text) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ' ') ++i;
    size_t start = i;
    while (i < text.size() && text[i] != ' ') ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

// The socket's address: the file beside the lock, or, when that path does
// not fit a sockaddr_un, an abstract name derived from it (the peer check
// keeps other users out either way).
socklen_t MakeAddress(const std::string& path, sockaddr_un& addr, bool& is_file) {
  std::memset(&addr, 0, sizeof(addr));
  addr.sun_family = AF_UNIX;
  if (path.size() < sizeof(addr.sun_path)) {
    is_file = true;
    std::memcpy(addr.sun_path, path.data(), path.size());
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size() + 1);
  }
  is_file = false;
  char name[64];
  int n = std::snprintf(name, sizeof(name), "zintor-q57-mouse-%016zx",
                        std::hash<std::string>{}(path));
  std::memcpy(addr.sun_path + 1, name, static_cast<size_t>(n));
  return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + static_cast<size_t>(n));
}

// Without a runtime folder of the user's own, RuntimeFolder() is the shared
// /tmp; the uid keeps the users apart there.
std::string DefaultInstanceName() {
  std::string name = kAppName;
  if (RuntimeFolder() == "/tmp/") {
    name += '-';
    name += std::to_string(getuid());
  }
  return name;
}

void CloseFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

}  // namespace

bool IsDeliverableMessage(uint32_t message) {
  return message == kMsgExitRequest || message == kMsgProfileFile ||
         message == kMsgApplyLanguage;
}

std::string EncodeRequest(const InstanceRequest& request) {
  if (request.kind == InstanceRequest::Kind::kRaise) return "raise\n";
  return "message " + std::to_string(request.message) + " " + std::to_string(request.wparam) +
         " " + std::to_string(request.lparam) + "\n";
}

std::optional<InstanceRequest> DecodeRequest(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  auto words = SplitBlanks(line);
  if (words.size() == 1 && words[0] == "raise") return InstanceRequest::Raise();
  if (words.size() != 4 || words[0] != "message") return std::nullopt;
  auto message = ParseInteger(words[1]);
  auto wparam = ParseInteger(words[2]);
  auto lparam = ParseInteger(words[3]);
  if (!message || !wparam || !lparam) return std::nullopt;
  if (*message < 0 || !IsDeliverableMessage(static_cast<uint32_t>(*message))) return std::nullopt;
  return InstanceRequest::Message(static_cast<uint32_t>(*message), *wparam, *lparam);
}

StartOptions ParseStartOptions(int argc, const char* const* argv) {
  StartOptions opt;
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i] ? argv[i] : "";
  }
  opt.hide = line.find("-hide") != std::string::npos;
  for (int i = 1; i < argc; ++i) {
    if (!argv[i] || std::strcmp(argv[i], "--send") != 0) continue;
    opt.send_only = true;
    int64_t values[3] = {0, 0, 0};
    int count = 0;
    for (int j = i + 1; j < argc && count < 3 && argv[j]; ++j, ++count) {
      auto v = ParseInteger(argv[j]);
      if (!v) break;
      values[count] = *v;
    }
    if (count == 0) {
      opt.error = "--send needs a message number: --send <message> [wParam [lParam]]";
    } else if (values[0] < 0 || !IsDeliverableMessage(static_cast<uint32_t>(values[0]))) {
      opt.error = "--send takes the messages 1691, 1705 and 2022";
    } else {
      opt.request =
          InstanceRequest::Message(static_cast<uint32_t>(values[0]), values[1], values[2]);
    }
    break;
  }
  return opt;
}

SingleInstance::SingleInstance() : SingleInstance(RuntimeFolder(), DefaultInstanceName()) {}

SingleInstance::SingleInstance(std::string folder, std::string name) {
  folder = WithSlash(std::move(folder));
  lock_path_ = folder + name + ".lock";
  socket_path_ = folder + name + ".sock";
}

SingleInstance::~SingleInstance() {
  StopListening();
  CloseFd(listen_fd_);
  // The socket goes before the lock, so a successor never finds ours.
  if (socket_bound_) ::unlink(socket_path_.c_str());
  CloseFd(lock_fd_);
}

SingleInstance::Claim SingleInstance::TryClaim() {
  if (lock_fd_ >= 0) return Claim::kFirst;
  int fd = ::open(lock_path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return Claim::kUnavailable;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    int err = errno;
    ::close(fd);
    return err == EWOULDBLOCK ? Claim::kOtherRunning : Claim::kUnavailable;
  }
  lock_fd_ = fd;
  // Without a socket a second start cannot reach us, but we are still the
  // one instance.
  BindSocket();
  return Claim::kFirst;
}

bool SingleInstance::BindSocket() {
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_un addr;
  bool is_file = false;
  socklen_t len = MakeAddress(socket_path_, addr, is_file);
  // We hold the lock: a socket file left here belongs to an instance that
  // is gone.
  if (is_file) ::unlink(socket_path_.c_str());
  if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), len) != 0) {
    ::close(fd);
    return false;
  }
  if (is_file) {
    socket_bound_ = true;
    ::chmod(socket_path_.c_str(), 0600);
  }
  if (::listen(fd, 16) != 0) {
    ::close(fd);
    return false;
  }
  listen_fd_ = fd;
  return true;
}

bool SingleInstance::StartListening(Handler handler) {
  if (listen_fd_ < 0 || listener_.joinable() || !handler) return false;
  if (::pipe2(wake_pipe_, O_CLOEXEC) != 0) return false;
  handler_ = std::move(handler);
  try {
    listener_ = std::thread([this] { ListenLoop(); });
  } catch (const std::system_error&) {
    CloseFd(wake_pipe_[0]);
    CloseFd(wake_pipe_[1]);
    return false;
  }
  return true;
}

void SingleInstance::StopListening() {
  if (!listener_.joinable()) return;
  char byte = 0;
  while (::write(wake_pipe_[1], &byte, 1) < 0 && errno == EINTR) {
  }
  listener_.join();
  CloseFd(wake_pipe_[0]);
  CloseFd(wake_pipe_[1]);
}

void SingleInstance::ListenLoop() {
  for (;;) {
    pollfd fds[2] = {{listen_fd_, POLLIN, 0}, {wake_pipe_[0], POLLIN, 0}};
    int n = ::poll(fds, 2, -1);
    if (n < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[1].revents) return;
    if (fds[0].revents & (POLLERR | POLLNVAL)) return;
    if (!(fds[0].revents & POLLIN)) continue;
    int connection = ::accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) continue;
    Serve(connection);
    ::close(connection);
  }
}

void SingleInstance::Serve(int connection) {
  ucred peer{};
  socklen_t peer_len = sizeof(peer);
  if (::getsockopt(connection, SOL_SOCKET, SO_PEERCRED, &peer, &peer_len) != 0 ||
      peer.uid != getuid()) {
    return;
  }
  timeval timeout{kReceiveTimeoutSeconds, 0};
  ::setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof(timeout));
  std::string line;
  char buf[kMaxRequestBytes];
  while (line.size() < kMaxRequestBytes && line.find('\n') == std::string::npos) {
    ssize_t got = ::recv(connection, buf, sizeof(buf) - line.size(), 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    line.append(buf, static_cast<size_t>(got));
  }
  auto newline = line.find('\n');
  if (newline == std::string::npos) return;
  if (auto request = DecodeRequest(std::string_view(line).substr(0, newline))) handler_(*request);
}

bool SingleInstance::Send(const InstanceRequest& request) const {
  const std::string text = EncodeRequest(request);
  sockaddr_un addr;
  bool is_file = false;
  socklen_t len = MakeAddress(socket_path_, addr, is_file);
  for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
    if (attempt > 0) std::this_thread::sleep_for(kConnectRetryDelay);
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), len) != 0) {
      ::close(fd);
      continue;
    }
    size_t sent = 0;
    while (sent < text.size()) {
      ssize_t n = ::send(fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      sent += static_cast<size_t>(n);
    }
    ::close(fd);
    return sent == text.size();
  }
  return false;
}

std::optional<int> HandOverToRunningInstance(SingleInstance& instance, const StartOptions& opt) {
  if (!opt.error.empty()) {
    std::fprintf(stderr, "%s\n", opt.error.c_str());
    return 2;
  }
  switch (instance.TryClaim()) {
    case SingleInstance::Claim::kOtherRunning:
      instance.Send(opt.request);
      return 0;
    case SingleInstance::Claim::kFirst:
    case SingleInstance::Claim::kUnavailable:
      if (!opt.send_only) return std::nullopt;
      std::fprintf(stderr, "%s is not running\n", kAppName);
      return 1;
  }
  return std::nullopt;
}

}  // namespace zq
