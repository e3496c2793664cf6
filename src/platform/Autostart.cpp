#include "platform/Autostart.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/Paths.h"

namespace zq {
namespace {

// Marks an entry as written by this program, so that IsOn does not take a
// file of the same name written by someone else for ours.
constexpr const char* kOwnerKey = "X-Zintor-Q57-Mouse-Autostart";

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

bool WriteWhole(const std::string& path, const std::string& text) {
  // Written beside the target and renamed over it, so a failure never leaves
  // half an entry that the session would try to start.
  const std::string temp = path + ".tmp";
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  bool ok = done == text.size() && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (ok) ok = ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

}  // namespace

std::string QuoteExecArgument(const std::string& argument) {
  std::string quoted = "\"";
  for (char c : argument) {
    switch (c) {
      // Reserved inside a quoted argument: a backslash before them, and
      // that backslash doubled by the string escaping of the key.
      case '"':
      case '`':
      case '$':
        quoted += "\\\\";
        quoted += c;
        break;
      case '\\':
        quoted += "\\\\\\\\";
        break;
      case '%':
        quoted += "%%";
        break;
      case '\n':
        quoted += "\\n";
        break;
      case '\t':
        quoted += "\\t";
        break;
      case '\r':
        quoted += "\\r";
        break;
      default:
        quoted += c;
    }
  }
  quoted += '"';
  return quoted;
}

Autostart::Autostart() {
  const std::string config = ConfigHome();
  if (!config.empty()) file_ = config + "autostart/" + kFileName;
  program_ = GetProgramFolder() + kProgramName;
}

Autostart::Autostart(std::string file, std::string program)
    : file_(std::move(file)), program_(std::move(program)) {}

std::string Autostart::EntryText() const {
  std::string text;
  text += "[Desktop Entry]\n";
  text += "Type=Application\n";
  text += "Version=1.0\n";
  text += std::string("Name=") + kAppName + "\n";
  text += "Comment=Settings of the Zintor Q57 gaming mouse\n";
  text += "Exec=" + QuoteExecArgument(program_) + "\n";
  text += "Terminal=false\n";
  text += "X-GNOME-Autostart-enabled=true\n";
  text += std::string(kOwnerKey) + "=true\n";
  return text;
}

bool Autostart::TurnOn() {
  if (file_.empty() || program_.empty()) return false;
  const std::string folder = file_.substr(0, file_.rfind('/'));
  if (!CreateFolderChain(folder)) return false;
  if (!WriteWhole(file_, EntryText())) return false;
  return IsOn();
}

bool Autostart::TurnOff() {
  if (file_.empty()) return false;
  ::unlink(file_.c_str());
  // Gone, or never possible below a path that is not a folder.
  struct stat st;
  return ::lstat(file_.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

bool Autostart::IsOn() const {
  if (file_.empty()) return false;
  struct stat st;
  if (::lstat(file_.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  std::ifstream in(file_);
  if (!in) return false;
  bool in_entry = false;
  bool ours = false;
  bool skipped = false;
  std::string line;
  while (std::getline(in, line)) {
    line = Trim(line);
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '[') {
      in_entry = line == "[Desktop Entry]";
      continue;
    }
    if (!in_entry) continue;
    auto eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = Trim(line.substr(0, eq));
    const std::string value = Trim(line.substr(eq + 1));
    if (key == kOwnerKey) ours = value == "true";
    if (key == "Hidden" && value == "true") skipped = true;
    if (key == "X-GNOME-Autostart-enabled" && value == "false") skipped = true;
  }
  return ours && !skipped;
}

}  // namespace zq
