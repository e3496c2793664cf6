#include "platform/Paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>

namespace zq {
namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

std::string WithSlash(std::string p) {
  if (p.empty() || p.back() != '/') p.push_back('/');
  return p;
}

std::string Home() { return Env("HOME"); }

// Reads XDG_DOCUMENTS_DIR from user-dirs.dirs: a line of the form
// XDG_DOCUMENTS_DIR="$HOME/Documents" (only $HOME is expanded, as the
// freedesktop tools write it).
std::string XdgDocumentsDir() {
  std::ifstream in(ConfigHome() + "user-dirs.dirs");
  std::string line;
  const std::string key = "XDG_DOCUMENTS_DIR=";
  while (std::getline(in, line)) {
    if (line.rfind(key, 0) != 0) continue;
    std::string value = line.substr(key.size());
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
      value = value.substr(1, value.size() - 2);
    }
    if (value.rfind("$HOME", 0) == 0) value = Home() + value.substr(5);
    if (value.empty() || value.front() != '/') return {};
    // A documents dir equal to the home itself means "not configured".
    if (WithSlash(value) == WithSlash(Home())) return {};
    return value;
  }
  return {};
}

}  // namespace

std::string GetProgramFolder() {
  std::string forced = Env("ZQ_PROGRAM_FOLDER");
  if (!forced.empty()) return WithSlash(forced);
  char buf[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof(buf) - 1);
  if (n <= 0) return "./";
  std::string exe(buf, static_cast<size_t>(n));
  auto slash = exe.rfind('/');
  return slash == std::string::npos ? "./" : exe.substr(0, slash + 1);
}

std::string ConfigHome() {
  std::string xdg = Env("XDG_CONFIG_HOME");
  if (!xdg.empty() && xdg.front() == '/') return WithSlash(xdg);
  std::string home = Home();
  if (home.empty()) return {};
  return WithSlash(home) + ".config/";
}

std::string DocumentsFolder() {
  std::string docs = XdgDocumentsDir();
  if (!docs.empty()) {
    while (docs.size() > 1 && docs.back() == '/') docs.pop_back();
    return docs;
  }
  std::string home = Home();
  if (home.empty()) return {};
  return WithSlash(home) + "Documents";
}

std::string GetDataFolder() {
  return DocumentsFolder() + "/" + kAppName + " MouseDbFiles/";
}

std::string RuntimeFolder() {
  std::string run = Env("XDG_RUNTIME_DIR");
  if (!run.empty() && IsDirectory(run)) return WithSlash(run);
  return "/tmp/";
}

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && stat(path.c_str(), &st) == 0;
}

bool CreateFolderChain(const std::string& path) {
  if (path.empty()) return false;
  if (IsDirectory(path)) return true;
  // Create each ancestor in turn; failures of existing ones are harmless.
  for (size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    mkdir(path.substr(0, slash).c_str(), 0755);
  }
  if (mkdir(path.c_str(), 0755) == 0 || errno == EEXIST) return IsDirectory(path);
  return IsDirectory(path);
}

}  // namespace zq
