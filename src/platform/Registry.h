#pragma once
// The program's own persistent values ("LCID", "DeviceType"), kept in a
// small text file: $XDG_CONFIG_HOME/Zintor Q57 mouse/values.conf, one
// "name=value" line each. The file plays the part of the application's
// registry key: reading finds nothing while the key (the file) is absent,
// and writing into an absent key is refused, as callers rely on.

#include <optional>
#include <string>

namespace zq {

class Registry {
 public:
  // The application's key under the user's config folder.
  Registry();
  // A key at an explicit folder (tests).
  explicit Registry(std::string folder);

  bool KeyExists() const;
  // Creates the key (folder and empty file); true if it exists afterwards.
  bool CreateKey();

  std::optional<std::string> Read(const std::string& name) const;
  // Stores a value; false when the key does not exist or cannot be written.
  bool Write(const std::string& name, const std::string& value);
  bool Remove(const std::string& name);

  const std::string& FilePath() const { return file_; }

 private:
  std::string folder_;
  std::string file_;
};

}  // namespace zq
