#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include "../platform/TempDir.h"

extern char** environ;

namespace zq {
namespace {

using Request = InstanceRequest;
constexpr const char* kName = "Zintor Q57 mouse";

// Requests received by an instance of this process, waited for in real time
// with a generous limit (a guard against a hang, not a measurement).
class Inbox {
 public:
  SingleInstance::Handler Handler() {
    return [this](const Request& r) {
      std::lock_guard<std::mutex> lock(mutex_);
      got_.push_back(r);
      cv_.notify_all();
    };
  }
  std::vector<Request> WaitFor(size_t count) {
    std::unique_lock<std::mutex> lock(mutex_);
    cv_.wait_for(lock, std::chrono::seconds(20), [&] { return got_.size() >= count; });
    return got_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  std::vector<Request> got_;
};

// A helper process with pipes on its stdin and stdout.
class Helper {
 public:
  explicit Helper(std::vector<std::string> args) {
    int in[2], out[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    args.insert(args.begin(), ZQ_INSTANCE_HELPER);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    stdin_ = in[1];
    stdout_ = out[0];
  }
  Helper(const Helper&) = delete;
  Helper& operator=(const Helper&) = delete;
  ~Helper() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (stdin_ >= 0) close(stdin_);
    if (stdout_ >= 0) close(stdout_);
  }

  // The next line the helper printed, "" when it printed none in time.
  std::string ReadLine() {
    std::string line;
    char c;
    while (true) {
      pollfd p{stdout_, POLLIN, 0};
      if (poll(&p, 1, 20000) <= 0) return line;
      if (read(stdout_, &c, 1) != 1) return line;
      if (c == '\n') return line;
      line += c;
    }
  }
  // The exit code, -1 when it did not exit normally in time.
  int Wait() {
    for (int i = 0; i < 20000 && pid_ > 0; ++i) {
      int status = 0;
      pid_t r = waitpid(pid_, &status, WNOHANG);
      if (r == pid_) {
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return -1;
  }
  void Kill() {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  void CloseStdin() {
    close(stdin_);
    stdin_ = -1;
  }

 private:
  pid_t pid_ = -1;
  int stdin_ = -1;
  int stdout_ = -1;
};

class SingleInstanceTest : public ::testing::Test {
 protected:
  Helper Start(std::vector<std::string> args) {
    args.insert(args.begin(), {dir.path(), kName, "start"});
    return Helper(std::move(args));
  }
  Helper First() { return Helper({dir.path(), kName, "first"}); }

  test::TempDir dir;
};

TEST_F(SingleInstanceTest, SecondStartsHandOverToTheRunningInstanceAndExit) {
  SingleInstance first(dir.path(), kName);
  ASSERT_EQ(first.TryClaim(), SingleInstance::Claim::kFirst);
  Inbox inbox;
  ASSERT_TRUE(first.StartListening(inbox.Handler()));
  struct stat st;
  ASSERT_EQ(stat(first.SocketPath().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  EXPECT_EQ(Start({}).Wait(), 0);
  EXPECT_EQ(Start({"-hide"}).Wait(), 0);
  EXPECT_EQ(Start({"--send", "1705", "2", "3"}).Wait(), 0);
  EXPECT_EQ(Start({"--send", "2022"}).Wait(), 0);
  // Messages that other processes may not send are refused at the sender.
  EXPECT_EQ(Start({"--send", "1714", "0", "1"}).Wait(), 2);
  EXPECT_EQ(Start({"--send"}).Wait(), 2);

  auto got = inbox.WaitFor(4);
  EXPECT_EQ(got, (std::vector<Request>{Request::Raise(), Request::Raise(),
                                       Request::Message(1705, 2, 3),
                                       Request::Message(2022, 0, 0)}));
}

TEST_F(SingleInstanceTest, AnotherProcessHoldsTheLockUntilItEnds) {
  Helper first = First();
  ASSERT_EQ(first.ReadLine(), "ready");
  SingleInstance second(dir.path(), kName);
  ASSERT_EQ(second.TryClaim(), SingleInstance::Claim::kOtherRunning);
  EXPECT_TRUE(second.Send(Request::Message(1705, 1, 0)));
  EXPECT_EQ(first.ReadLine(), "got message 1705 1 0");
  // The exit request ends the running instance, which frees the lock.
  EXPECT_TRUE(second.Send(Request::Message(kMsgExitRequest, 0, kExitRequestParam)));
  EXPECT_EQ(first.ReadLine(), "got message 1691 0 610");
  EXPECT_EQ(first.Wait(), 0);
  EXPECT_EQ(second.TryClaim(), SingleInstance::Claim::kFirst);
}

TEST_F(SingleInstanceTest, ACrashedInstanceDoesNotBlockTheNextStart) {
  {
    Helper first = First();
    ASSERT_EQ(first.ReadLine(), "ready");
    first.Kill();
  }
  SingleInstance next(dir.path(), kName);
  // The killed instance left its socket file behind.
  ASSERT_TRUE(access(next.SocketPath().c_str(), F_OK) == 0);
  ASSERT_EQ(next.TryClaim(), SingleInstance::Claim::kFirst);
  Inbox inbox;
  ASSERT_TRUE(next.StartListening(inbox.Handler()));
  EXPECT_EQ(Start({}).Wait(), 0);
  EXPECT_EQ(inbox.WaitFor(1), std::vector<Request>{Request::Raise()});
}

TEST_F(SingleInstanceTest, AStaleSocketFileIsReplaced) {
  SingleInstance instance(dir.path(), kName);
  {
    // A socket bound and abandoned: connecting to it is refused.
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, instance.SocketPath().c_str(), sizeof(addr.sun_path) - 1);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0);
    close(fd);
  }
  ASSERT_EQ(instance.TryClaim(), SingleInstance::Claim::kFirst);
  Inbox inbox;
  ASSERT_TRUE(instance.StartListening(inbox.Handler()));
  SingleInstance second(dir.path(), kName);
  ASSERT_EQ(second.TryClaim(), SingleInstance::Claim::kOtherRunning);
  EXPECT_TRUE(second.Send(Request::Message(1691, 0, 610)));
  EXPECT_EQ(inbox.WaitFor(1), std::vector<Request>{Request::Message(1691, 0, 610)});
}

TEST_F(SingleInstanceTest, ARequestDuringStartUpWaitsForTheListener) {
  SingleInstance first(dir.path(), kName);
  ASSERT_EQ(first.TryClaim(), SingleInstance::Claim::kFirst);
  EXPECT_EQ(Start({}).Wait(), 0);
  Inbox inbox;
  ASSERT_TRUE(first.StartListening(inbox.Handler()));
  EXPECT_EQ(inbox.WaitFor(1), std::vector<Request>{Request::Raise()});
}

TEST_F(SingleInstanceTest, SendWithoutARunningInstanceFailsAndLeavesNoLock) {
  EXPECT_EQ(Start({"--send", "2022"}).Wait(), 1);
  Helper plain = Start({});
  EXPECT_EQ(plain.ReadLine(), "instance");
  EXPECT_EQ(plain.Wait(), 3);
  SingleInstance after(dir.path(), kName);
  EXPECT_EQ(after.TryClaim(), SingleInstance::Claim::kFirst);
}

TEST_F(SingleInstanceTest, GarbageOnTheSocketIsIgnored) {
  SingleInstance first(dir.path(), kName);
  ASSERT_EQ(first.TryClaim(), SingleInstance::Claim::kFirst);
  Inbox inbox;
  ASSERT_TRUE(first.StartListening(inbox.Handler()));
  for (const char* text : {"message 1714 0 1\n", "hello\n", "raise", "", "raise\n"}) {
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, first.SocketPath().c_str(), sizeof(addr.sun_path) - 1);
    ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0);
    ASSERT_EQ(send(fd, text, std::strlen(text), MSG_NOSIGNAL),
              static_cast<ssize_t>(std::strlen(text)));
    close(fd);
  }
  // Only the well-formed raise at the end arrives.
  EXPECT_EQ(inbox.WaitFor(1), std::vector<Request>{Request::Raise()});
  first.StopListening();
  EXPECT_EQ(inbox.WaitFor(1).size(), 1u);
}

TEST(SingleInstanceDefault, LivesInTheRuntimeFolderAndApartFromOtherUsersInTmp) {
  test::TempDir run;
  {
    test::ScopedEnv env("XDG_RUNTIME_DIR", run.path());
    SingleInstance instance;
    EXPECT_EQ(instance.LockPath(), run / "Zintor Q57 mouse.lock");
    EXPECT_EQ(instance.SocketPath(), run / "Zintor Q57 mouse.sock");
  }
  test::ScopedEnv env("XDG_RUNTIME_DIR", "");
  SingleInstance shared;
  EXPECT_EQ(shared.LockPath(), "/tmp/Zintor Q57 mouse-" + std::to_string(getuid()) + ".lock");
}

TEST(InstanceRequest, DecodesOnlyWhatOtherProcessesMaySend) {
  struct Case {
    const char* line;
    std::optional<Request> request;
  };
  const Case cases[] = {
      {"raise", Request::Raise()},
      {"message 1705 2 3", Request::Message(1705, 2, 3)},
      {"message 1691 0 610\n", Request::Message(1691, 0, 610)},
      {"message 2022 0 -1", Request::Message(2022, 0, -1)},
      {"message 1714 0 1", std::nullopt},
      {"message 1705 2", std::nullopt},
      {"message 1705 x 3", std::nullopt},
      {"message 1705 2 3 4", std::nullopt},
      {"message 1705 2 99999999999999999999", std::nullopt},
      {"raise now", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(DecodeRequest(c.line), c.request);
    if (c.request) {
      EXPECT_EQ(DecodeRequest(EncodeRequest(*c.request)), c.request);
    }
  }
}

TEST(StartOptions, HideIsASubstringAndSendTakesUpToTwoParameters) {
  auto parse = [](std::vector<const char*> args) {
    args.insert(args.begin(), "zintor-q57-mouse");
    return ParseStartOptions(static_cast<int>(args.size()), args.data());
  };
  EXPECT_TRUE(parse({"-hide"}).hide);
  EXPECT_TRUE(parse({"--x-hidewindow"}).hide);
  EXPECT_FALSE(parse({"-Hide"}).hide);
  EXPECT_FALSE(parse({}).send_only);
  EXPECT_EQ(parse({}).request, Request::Raise());

  StartOptions send = parse({"--send", "1705", "2", "3"});
  EXPECT_TRUE(send.send_only);
  EXPECT_TRUE(send.error.empty());
  EXPECT_EQ(send.request, Request::Message(1705, 2, 3));
  EXPECT_EQ(parse({"--send", "1691", "0", "610", "-hide"}).request, Request::Message(1691, 0, 610));
  EXPECT_FALSE(parse({"--send", "99"}).error.empty());
  EXPECT_FALSE(parse({"--send", "abc"}).error.empty());
}

}  // namespace
}  // namespace zq
