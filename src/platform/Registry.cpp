#include "platform/Registry.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>

#include "platform/Paths.h"

namespace zq {
namespace {

// Both threads of the program may touch the values; one process-wide mutex
// keeps a read from seeing a half-written file of our own.
std::mutex& FileMutex() {
  static std::mutex m;
  return m;
}

std::map<std::string, std::string> Load(const std::string& file) {
  std::map<std::string, std::string> values;
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    auto eq = line.find('=');
    if (eq == std::string::npos || eq == 0) continue;
    values[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return values;
}

bool Save(const std::string& file, const std::map<std::string, std::string>& values) {
  // Write beside and rename, so a crash or a full disk never leaves a
  // truncated file behind.
  const std::string tmp = file + ".tmp";
  {
    std::ofstream out(tmp, std::ios::trunc);
    if (!out) return false;
    for (const auto& [k, v] : values) out << k << '=' << v << '\n';
    out.flush();
    if (!out) {
      std::remove(tmp.c_str());
      return false;
    }
  }
  if (std::rename(tmp.c_str(), file.c_str()) != 0) {
    std::remove(tmp.c_str());
    return false;
  }
  return true;
}

std::string Clean(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c != '\n' && c != '\r') out.push_back(c);
  }
  return out;
}

}  // namespace

Registry::Registry() : Registry(ConfigHome() + kAppName + "/") {}

Registry::Registry(std::string folder) : folder_(std::move(folder)) {
  if (!folder_.empty() && folder_.back() != '/') folder_.push_back('/');
  file_ = folder_ + "values.conf";
}

bool Registry::KeyExists() const { return !folder_.empty() && FileExists(file_); }

bool Registry::CreateKey() {
  std::lock_guard<std::mutex> lock(FileMutex());
  if (FileExists(file_)) return true;
  if (folder_.empty() || !CreateFolderChain(folder_)) return false;
  std::ofstream out(file_, std::ios::app);
  return static_cast<bool>(out);
}

std::optional<std::string> Registry::Read(const std::string& name) const {
  std::lock_guard<std::mutex> lock(FileMutex());
  if (!FileExists(file_)) return std::nullopt;
  auto values = Load(file_);
  auto it = values.find(name);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

bool Registry::Write(const std::string& name, const std::string& value) {
  std::lock_guard<std::mutex> lock(FileMutex());
  if (!FileExists(file_)) return false;
  auto values = Load(file_);
  values[Clean(name)] = Clean(value);
  return Save(file_, values);
}

bool Registry::Remove(const std::string& name) {
  std::lock_guard<std::mutex> lock(FileMutex());
  if (!FileExists(file_)) return false;
  auto values = Load(file_);
  if (values.erase(name) == 0) return true;
  return Save(file_, values);
}

}  // namespace zq
