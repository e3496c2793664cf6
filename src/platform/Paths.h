#pragma once
// Where the program finds its files on Linux. Every location can be moved by
// the environment, so that tests never touch the user's real folders:
//   ZQ_PROGRAM_FOLDER  the folder holding config.xml, language/ and images
//   XDG_CONFIG_HOME    settings (the app's value file, autostart)
//   XDG_RUNTIME_DIR    the single-instance lock and socket
//   HOME, XDG user-dirs  the Documents folder that holds the data folder

#include <string>

namespace zq {

// The application name; it names the data folder, the value file's folder,
// the single-instance lock and the autostart entry.
inline constexpr const char* kAppName = "Zintor Q57 mouse";

// The folder of the running executable, with a trailing "/".
std::string GetProgramFolder();

// $XDG_CONFIG_HOME (or ~/.config), with a trailing "/".
std::string ConfigHome();

// The user's Documents folder without a trailing "/" (XDG_DOCUMENTS_DIR of
// user-dirs.dirs, else $HOME/Documents). Empty when there is no home.
std::string DocumentsFolder();

// Documents folder + "/Zintor Q57 mouse MouseDbFiles/" (trailing "/").
std::string GetDataFolder();

// $XDG_RUNTIME_DIR, else /tmp, with a trailing "/".
std::string RuntimeFolder();

// Creates a folder and all its missing parents; true when the folder exists
// afterwards. A trailing "/" is allowed.
bool CreateFolderChain(const std::string& path);

bool IsDirectory(const std::string& path);
bool FileExists(const std::string& path);

}  // namespace zq
