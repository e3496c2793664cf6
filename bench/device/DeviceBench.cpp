// What a transaction costs on top of the bare HID exchange: SendCommand
// against the simulated mouse (current-device lookup, checksum, request copy,
// locking, response test) next to the same number of plain backend
// write+read pairs on the same simulated interface.

#include <benchmark/benchmark.h>

#include <memory>

#include "device/HidDeviceManager.h"
#include "sim/SimBackend.h"
#include "sim/SimulatedMouse.h"

namespace {

constexpr int64_t kExchanges = 200000;

struct Bench {
  Bench()
      : mouse(std::make_shared<zq::sim::SimulatedMouse>(clock)),
        backend(std::make_shared<zq::sim::SimBackend>(mouse)),
        manager(backend, clock) {
    mouse->Plug();
    manager.AddKnown(0xFFF7, 0x5701, zq::kMouseDeviceType, zq::kModeCable);
    manager.SetDeviceType(zq::kMouseDeviceType);
    manager.EnumerateDevice();
    manager.SetOpen();
  }
  zq::VirtualClock clock;
  std::shared_ptr<zq::sim::SimulatedMouse> mouse;
  std::shared_ptr<zq::sim::SimBackend> backend;
  zq::HidDeviceManager manager;
};

std::array<uint8_t, 65> BatteryRead() {
  std::array<uint8_t, 65> buffer{};
  buffer[1] = 0x55;
  buffer[2] = 0x30;
  buffer[3] = 0xA5;
  buffer[5] = 0x2E;
  return buffer;
}

void BM_SendCommand(benchmark::State& state) {
  Bench bench;
  int64_t acknowledged = 0;
  for (auto _ : state) {
    auto buffer = BatteryRead();
    acknowledged += bench.manager.SendCommand(buffer);
    benchmark::DoNotOptimize(buffer);
  }
  state.counters["transactions_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  if (acknowledged != state.iterations()) state.SkipWithError("a transaction failed");
}
BENCHMARK(BM_SendCommand)->Iterations(kExchanges)->Unit(benchmark::kMicrosecond);

void BM_BareWriteRead(benchmark::State& state) {
  Bench bench;
  std::unique_ptr<zq::HidConnection> connection;
  for (const auto& info : bench.backend->Enumerate()) {
    if (info.usage_page == 0xFF01) connection = bench.backend->Open(info.path);
  }
  if (!connection) {
    state.SkipWithError("no command interface");
    return;
  }
  auto request = BatteryRead();
  request[4] = zq::HidDeviceManager::CommandChecksum(request.data());
  int64_t replies = 0;
  for (auto _ : state) {
    uint8_t in[65];
    connection->Write(request.data(), request.size());
    replies += connection->ReadTimeout(in, sizeof in, 1000) == 64;
    benchmark::DoNotOptimize(in);
  }
  state.counters["pairs_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  if (replies != state.iterations()) state.SkipWithError("a reply was missing");
}
BENCHMARK(BM_BareWriteRead)->Iterations(kExchanges)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
