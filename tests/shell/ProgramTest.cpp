// The real program, started as a user starts it: on the offscreen platform, with a temporary
// home, against the simulated mouse. It must find the mouse, store what it holds, take over a
// second start and end on request with exit code 0.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "platform/TempDir.h"

extern char** environ;

namespace zq::test {
namespace {

using namespace std::chrono_literals;

// One run of the program with its own environment; output goes to files in the temp folder.
class Program {
 public:
  Program(const TempDir& tmp, std::vector<std::string> args, std::map<std::string, std::string> env,
          const std::string& tag)
      : out_(tmp / (tag + ".out")), err_(tmp / (tag + ".err")) {
    std::vector<std::string> envStrings;
    for (char** e = environ; *e != nullptr; ++e) {
      std::string entry = *e;
      if (env.count(entry.substr(0, entry.find('='))) == 0) envStrings.push_back(entry);
    }
    for (const auto& [name, value] : env) envStrings.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (auto& e : envStrings) envp.push_back(e.data());
    envp.push_back(nullptr);

    args.insert(args.begin(), ZQ_PROGRAM);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (posix_spawn(&pid_, ZQ_PROGRAM, &actions, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~Program() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  bool Started() const { return pid_ > 0; }
  // The exit code, or nothing when the program is still running after `limit`.
  std::optional<int> Wait(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
      int status = 0;
      const pid_t done = waitpid(pid_, &status, WNOHANG);
      if (done == pid_) {
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(20ms);
    }
    return std::nullopt;
  }
  bool Running() const { return !exited_ && kill(pid_, 0) == 0; }
  std::string Stderr() const { return Read(err_); }

 private:
  static std::string Read(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::string out_;
  std::string err_;
  pid_t pid_ = -1;
  bool exited_ = false;
};

// Rows of a query on the program's database, read-only, as text; empty while the file is not
// there or not complete yet.
std::vector<std::vector<std::string>> Query(const std::string& file, const std::string& sql) {
  std::vector<std::vector<std::string>> rows;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return rows;
  }
  sqlite3_busy_timeout(db, 200);
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK) {
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      std::vector<std::string> row;
      for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
        const unsigned char* text = sqlite3_column_text(stmt, i);
        row.emplace_back(text != nullptr ? reinterpret_cast<const char*>(text) : "");
      }
      rows.push_back(std::move(row));
    }
  }
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  return rows;
}

class ProgramRun : public ::testing::Test {
 protected:
  ProgramRun() {
    mkdir((tmp / "run").c_str(), 0700);
    env = {{"HOME", tmp / "home"},
           {"XDG_CONFIG_HOME", tmp / "config"},
           {"XDG_RUNTIME_DIR", tmp / "run"},
           {"QT_QPA_PLATFORM", "offscreen"},
           {"ZQ_LOG", "debug"}};
  }

  std::string Database() const {
    return tmp / "home/Documents/Zintor Q57 mouse MouseDbFiles/db/Q57_data_kvr.db";
  }
  // Waits until the program has created the five profiles in its database and made one of them
  // active (the profiles are inserted first, then one is activated).
  bool WaitForProfiles(Program& program) {
    for (int i = 0; i < 1500 && program.Running(); ++i) {
      if (Query(Database(), "SELECT name FROM t_profile_data").size() == 5 &&
          Query(Database(), "SELECT profile FROM t_profile_data WHERE status = 1").size() == 1) {
        return true;
      }
      std::this_thread::sleep_for(20ms);
    }
    return false;
  }
  int Send(std::vector<std::string> args, const std::string& tag) {
    args.insert(args.begin(), "--send");
    Program sender(tmp, args, env, tag);
    return sender.Wait(20s).value_or(-1);
  }

  TempDir tmp;
  std::map<std::string, std::string> env;
};

TEST_F(ProgramRun, FindsTheSimulatedMouseStoresItsProfilesAndEndsOnRequest) {
  Program program(tmp, {"--simulate"}, env, "main");
  ASSERT_TRUE(program.Started());
  ASSERT_TRUE(WaitForProfiles(program)) << program.Stderr();

  const auto names = Query(Database(), "SELECT profile, name, status FROM t_profile_data");
  const std::vector<std::vector<std::string>> expected = {
      {"1", "800", "1"}, {"2", "801", "0"}, {"3", "811", "0"}, {"4", "821", "0"}, {"5", "831", "0"}};
  EXPECT_EQ(names, expected);
  // Every profile got its configuration keys.
  const auto keys = Query(Database(), "SELECT COUNT(*) FROM t_configdata WHERE profile = 1");
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_GE(std::stoi(keys[0][0]), 25);

  // The initial read replaced the defaults (1200 and 12000) with what the mouse holds: 400 on
  // its first level and 12800 on its last.
  const std::string levels =
      "SELECT value FROM t_configdata WHERE profile = 1 AND "
      "key IN ('dpi_group0_value', 'dpi_group5_value') ORDER BY key";
  const std::vector<std::vector<std::string>> fromMouse = {{"400"}, {"12800"}};
  for (int i = 0; i < 500 && Query(Database(), levels) != fromMouse; ++i) {
    std::this_thread::sleep_for(20ms);
  }
  EXPECT_EQ(Query(Database(), levels), fromMouse);

  EXPECT_EQ(Send({"1691", "0", "610"}, "exit"), 0);
  EXPECT_EQ(program.Wait(20s), std::optional<int>(0)) << program.Stderr();
}

TEST_F(ProgramRun, SecondStartRaisesTheHiddenWindowAndLeavesWithZero) {
  Program first(tmp, {"--simulate", "-hide"}, env, "first");
  ASSERT_TRUE(first.Started());
  ASSERT_TRUE(WaitForProfiles(first)) << first.Stderr();

  Program second(tmp, {"--simulate"}, env, "second");
  EXPECT_EQ(second.Wait(20s), std::optional<int>(0)) << second.Stderr();
  bool raised = false;
  for (int i = 0; i < 500 && !raised; ++i) {
    raised = first.Stderr().find("window raised by a second start") != std::string::npos;
    if (!raised) std::this_thread::sleep_for(20ms);
  }
  EXPECT_TRUE(raised) << first.Stderr();
  EXPECT_TRUE(first.Running());

  // A message that is not an exit leaves it running.
  EXPECT_EQ(Send({"1691", "0", "611"}, "noexit"), 0);
  EXPECT_EQ(first.Wait(300ms), std::nullopt);
  EXPECT_EQ(Send({"1691", "0", "610"}, "exit"), 0);
  EXPECT_EQ(first.Wait(20s), std::optional<int>(0)) << first.Stderr();
}

TEST_F(ProgramRun, SendWithoutARunningProgramFails) {
  EXPECT_EQ(Send({"1691", "0", "610"}, "alone"), 1);
  EXPECT_EQ(Send({"99"}, "bad"), 2);
}

}  // namespace
}  // namespace zq::test
