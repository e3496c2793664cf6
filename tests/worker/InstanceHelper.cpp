// A stand-in for the program's start-up, so that tests can run a first and
// a second start in processes of their own.
//   instance_helper <folder> <name> first   claims, prints "ready", prints
//       every request it receives, and exits on the exit request (1691/610)
//       or when its stdin closes
//   instance_helper <folder> <name> start <args...>   the program's start-up
//       hand-over; prints "instance" and exits 3 when it would run itself
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/SingleInstance.h"

int main(int argc, char** argv) {
  if (argc < 4) return 64;
  zq::SingleInstance instance(argv[1], argv[2]);
  const std::string mode = argv[3];
  if (mode == "first") {
    if (instance.TryClaim() != zq::SingleInstance::Claim::kFirst) return 4;
    instance.StartListening([](const zq::InstanceRequest& r) {
      std::printf("got %s", zq::EncodeRequest(r).c_str());
      std::fflush(stdout);
      if (r.kind == zq::InstanceRequest::Kind::kMessage && r.message == zq::kMsgExitRequest &&
          r.lparam == zq::kExitRequestParam) {
        _exit(0);
      }
    });
    std::printf("ready\n");
    std::fflush(stdout);
    char buf[64];
    while (::read(0, buf, sizeof(buf)) > 0) {
    }
    return 0;
  }
  if (mode == "start") {
    std::vector<const char*> args = {"zintor-q57-mouse"};
    for (int i = 4; i < argc; ++i) args.push_back(argv[i]);
    zq::StartOptions opt = zq::ParseStartOptions(static_cast<int>(args.size()), args.data());
    if (auto code = zq::HandOverToRunningInstance(instance, opt)) return *code;
    std::printf("instance\n");
    return 3;
  }
  return 64;
}
