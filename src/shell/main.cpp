// Entry point. For now the program reports where it keeps its files; the
// window and the device link join as they are built.
#include <cstdio>
#include <cstring>

#include "platform/Paths.h"

int main(int argc, char** argv) {
  bool simulate = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--simulate") == 0) simulate = true;
  }
  std::printf("%s\n", zq::kAppName);
  std::printf("program folder: %s\n", zq::GetProgramFolder().c_str());
  std::printf("data folder:    %s\n", zq::GetDataFolder().c_str());
  std::printf("mouse:          %s\n", simulate ? "simulated" : "real (hidapi)");
  return 0;
}
