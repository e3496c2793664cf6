// Timed driver of the real program on the simulated mouse (offscreen platform, temporary home):
//  - time from process start to the main window's first painted frame (the program prints
//    "first-paint" when ZQ_FIRST_PAINT_MARKER=1), over several starts;
//  - CPU time of each thread while the program idles for 10 seconds after its initial read,
//    with the thread's voluntary context switches (the device worker wakes every 30 ms);
//  - peak resident memory (VmHWM).
// Usage: shell_startup_bench [program] [starts]

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

struct Child {
  pid_t pid = -1;
  int out = -1;  // read end of the program's stdout
};

Child Spawn(const std::string& program, const std::vector<std::string>& args,
            const std::map<std::string, std::string>& env) {
  std::vector<std::string> strings;
  for (char** e = environ; *e != nullptr; ++e) {
    std::string entry = *e;
    if (env.count(entry.substr(0, entry.find('='))) == 0) strings.push_back(entry);
  }
  for (const auto& [k, v] : env) strings.push_back(k + "=" + v);
  std::vector<char*> envp;
  for (auto& s : strings) envp.push_back(s.data());
  envp.push_back(nullptr);
  std::vector<std::string> all = args;
  all.insert(all.begin(), program);
  std::vector<char*> argv;
  for (auto& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);

  int pipefd[2];
  if (pipe(pipefd) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipefd[1], 1);
  posix_spawn_file_actions_addclose(&actions, pipefd[0]);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  Child child;
  if (posix_spawn(&child.pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) {
    child.pid = -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  close(pipefd[1]);
  child.out = pipefd[0];
  return child;
}

bool WaitForLine(int fd, const std::string& line) {
  std::string buffer;
  char chunk[256];
  for (;;) {
    const ssize_t n = read(fd, chunk, sizeof chunk);
    if (n <= 0) return false;
    buffer.append(chunk, static_cast<size_t>(n));
    if (buffer.find(line) != std::string::npos) return true;
  }
}

void Finish(Child& child, const std::string& program, const std::map<std::string, std::string>& env) {
  Child sender = Spawn(program, {"--send", "1691", "0", "610"}, env);
  if (sender.pid > 0) waitpid(sender.pid, nullptr, 0);
  if (sender.out >= 0) close(sender.out);
  for (int i = 0; i < 200; ++i) {
    if (waitpid(child.pid, nullptr, WNOHANG) == child.pid) {
      close(child.out);
      return;
    }
    std::this_thread::sleep_for(10ms);
  }
  kill(child.pid, SIGKILL);
  waitpid(child.pid, nullptr, 0);
  close(child.out);
}

struct ThreadSample {
  long long ticks = 0;  // utime + stime
  long long voluntary = 0;
};

std::map<int, ThreadSample> SampleThreads(pid_t pid) {
  std::map<int, ThreadSample> samples;
  const std::string base = "/proc/" + std::to_string(pid) + "/task";
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(base, ec)) {
    const int tid = std::atoi(entry.path().filename().c_str());
    std::ifstream stat(entry.path() / "stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t close = text.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream fields(text.substr(close + 2));
    std::vector<std::string> f;
    for (std::string s; fields >> s;) f.push_back(s);
    if (f.size() < 13) continue;
    ThreadSample sample;
    sample.ticks = std::atoll(f[11].c_str()) + std::atoll(f[12].c_str());  // fields 14, 15
    std::ifstream status(entry.path() / "status");
    for (std::string line; std::getline(status, line);) {
      if (line.rfind("voluntary_ctxt_switches:", 0) == 0) {
        sample.voluntary = std::atoll(line.c_str() + 24);
      }
    }
    samples[tid] = sample;
  }
  return samples;
}

std::string StatusField(pid_t pid, const std::string& name) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(name + ":", 0) == 0) return line.substr(name.size() + 1);
  }
  return "?";
}

std::map<std::string, std::string> FreshEnvironment(const std::string& root) {
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root + "/home");
  std::filesystem::create_directories(root + "/run");
  chmod((root + "/run").c_str(), 0700);
  return {{"HOME", root + "/home"},
          {"XDG_CONFIG_HOME", root + "/config"},
          {"XDG_RUNTIME_DIR", root + "/run"},
          {"QT_QPA_PLATFORM", "offscreen"},
          {"ZQ_FIRST_PAINT_MARKER", "1"}};
}

}  // namespace

int main(int argc, char** argv) {
  const std::string program = argc > 1 ? argv[1] : ZQ_BIN_DIR "/zintor-q57-mouse";
  const int starts = argc > 2 ? std::atoi(argv[2]) : 7;
  const std::string root =
      (std::filesystem::temp_directory_path() / ("zq-shell-bench-" + std::to_string(getpid())))
          .string();

  // First paint, from a fresh home each time (the first start also creates the database).
  std::vector<double> ms;
  for (int i = 0; i < starts; ++i) {
    auto env = FreshEnvironment(root);
    const auto begin = Clock::now();
    Child child = Spawn(program, {"--simulate"}, env);
    if (child.pid < 0 || !WaitForLine(child.out, "first-paint")) {
      std::fprintf(stderr, "program did not paint\n");
      return 1;
    }
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
    Finish(child, program, env);
  }
  std::sort(ms.begin(), ms.end());
  std::printf("start to first paint (%d starts, fresh home): min %.1f ms, median %.1f ms, "
              "max %.1f ms\n",
              starts, ms.front(), ms[ms.size() / 2], ms.back());

  // Idle: after the first paint and the initial read, ten seconds of nothing.
  auto env = FreshEnvironment(root);
  Child child = Spawn(program, {"--simulate"}, env);
  if (child.pid < 0 || !WaitForLine(child.out, "first-paint")) return 1;
  std::this_thread::sleep_for(2s);
  const long hz = sysconf(_SC_CLK_TCK);
  const auto before = SampleThreads(child.pid);
  std::this_thread::sleep_for(10s);
  const auto after = SampleThreads(child.pid);
  long long total = 0;
  std::printf("idle 10 s, per thread (CPU ms, voluntary wake-ups):\n");
  for (const auto& [tid, sample] : after) {
    auto it = before.find(tid);
    const ThreadSample start = it != before.end() ? it->second : ThreadSample{};
    const long long ticks = sample.ticks - start.ticks;
    const long long wakes = sample.voluntary - start.voluntary;
    total += ticks;
    std::printf("  tid %-8d %6.0f ms %6lld%s\n", tid, 1000.0 * ticks / hz, wakes,
                tid == child.pid ? "  (UI thread)" : (wakes > 250 ? "  (device worker)" : ""));
  }
  std::printf("idle 10 s, whole process: %.0f ms CPU (%.2f %% of one core)\n",
              1000.0 * total / hz, 100.0 * total / hz / 10.0);
  std::printf("peak resident memory (VmHWM):%s\n", StatusField(child.pid, "VmHWM").c_str());
  Finish(child, program, env);
  std::filesystem::remove_all(root);
  return 0;
}
