#pragma once
// Autostart at login: an XDG autostart entry,
// $XDG_CONFIG_HOME/autostart/zintor-q57-mouse.desktop, that starts the
// program with its window shown, the way the program has always been started
// at login. (The program keeps no tray icon, so a window started hidden
// could only be found by starting the program a second time.)
//
// Failures are silent: every operation answers with a bool.

#include <string>

namespace zq {

class Autostart {
 public:
  static constexpr const char* kFileName = "zintor-q57-mouse.desktop";
  static constexpr const char* kProgramName = "zintor-q57-mouse";

  // The user's autostart folder, starting the program beside this one
  // (GetProgramFolder() + "zintor-q57-mouse").
  Autostart();
  // An explicit entry file and program path (tests).
  Autostart(std::string file, std::string program);

  // Writes the entry (replacing the file as a whole); true when it is on
  // afterwards. Turning it on twice writes the same file.
  bool TurnOn();
  // Removes the entry; true when it is gone afterwards.
  bool TurnOff();
  // The entry exists, is ours, and the desktop has not been told to skip it
  // (Hidden=true, or the GNOME session's autostart switch turned off).
  bool IsOn() const;

  // The text TurnOn writes.
  std::string EntryText() const;
  const std::string& FilePath() const { return file_; }

 private:
  std::string file_;
  std::string program_;
};

// One argument of a desktop entry's Exec key: quoted, with the characters
// that the quoting and the key's string escaping reserve escaped, and "%"
// doubled so that it is not read as a field code.
std::string QuoteExecArgument(const std::string& argument);

}  // namespace zq
