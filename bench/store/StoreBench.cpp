// What the store's lock and wrappers cost over bare SQLite calls, and how
// long storing a macro of the largest size takes.
//
//   store_bench --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true
//
// (interleaving spreads the machine's disk noise evenly over the variants).
// Prints Google Benchmark's table, then the ratio of 1000 SetConfig calls to
// the same 1000 updates made with bare sqlite3 calls in the same run.

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "TempDir.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "store/ConfigStore.h"
#include "store/Schema.h"

namespace zq {
namespace {

constexpr int kUpdates = 1000;
constexpr int kProfiles = 5;

struct Setup {
  test::TempDir tmp;
  std::string folder = tmp.path() + "/";
  ConfigStore store;
  sqlite3* bare = nullptr;  // its own file, same schema and rows

  Setup() {
    CreateFolderChain(folder + "db");
    store.OpenDatabase(folder, "Bench");
    ConfigStore seed;
    seed.OpenDatabase(folder, "Bare");
    for (int p = 0; p < kProfiles; ++p) {
      store.AddProfile("800", "");
      seed.AddProfile("800", "");
    }
    seed.CloseDatabase();
    sqlite3_open_v2(ConfigStore::DatabasePathFor(folder, "Bare").c_str(), &bare, kOpenExisting,
                    nullptr);
    sqlite3_exec(bare, "PRAGMA synchronous = OFF; ", nullptr, nullptr, nullptr);
  }
  ~Setup() { sqlite3_close(bare); }
};

// Made before the run and destroyed after it, which removes its folder.
std::unique_ptr<Setup> g_setup;

Setup& Shared() { return *g_setup; }

// The same 1000 updates for both variants: keys in table order across the
// five profiles, values that change every time.
struct Update {
  int profile;
  std::string key;
  std::string value;
};

const std::vector<Update>& Updates() {
  static const std::vector<Update> updates = [] {
    std::vector<Update> list;
    const auto& keys = DefaultConfigKeys();
    for (int i = 0; i < kUpdates; ++i) {
      list.push_back({1 + i % kProfiles, keys[i % keys.size()].name, FormatInt(1000 + i)});
    }
    return list;
  }();
  return updates;
}

void BM_SetConfig_Store(benchmark::State& state) {
  ConfigStore& store = Shared().store;
  for (auto _ : state) {
    for (const Update& u : Updates()) {
      if (!store.SetConfig(u.profile, u.key, u.value)) state.SkipWithError("SetConfig failed");
    }
  }
  state.SetItemsProcessed(state.iterations() * kUpdates);
}

void BM_SetConfig_BareSqlite(benchmark::State& state) {
  sqlite3* db = Shared().bare;
  for (auto _ : state) {
    for (const Update& u : Updates()) {
      sqlite3_stmt* stmt = nullptr;
      sqlite3_prepare_v2(db, "UPDATE t_configdata SET value = ? WHERE profile = ? and key = ?", -1,
                         &stmt, nullptr);
      sqlite3_bind_text(stmt, 1, u.value.data(), static_cast<int>(u.value.size()), SQLITE_STATIC);
      sqlite3_bind_int(stmt, 2, u.profile);
      sqlite3_bind_text(stmt, 3, u.key.data(), static_cast<int>(u.key.size()), SQLITE_STATIC);
      if (sqlite3_step(stmt) != SQLITE_DONE) state.SkipWithError("step failed");
      sqlite3_finalize(stmt);
    }
  }
  state.SetItemsProcessed(state.iterations() * kUpdates);
}

void BM_AddMacroRecords_200(benchmark::State& state) {
  ConfigStore& store = Shared().store;
  const int macro = store.CreateMacro("bench");
  std::vector<MacroRecord> items;
  for (int i = 0; i < 200; ++i) {
    items.push_back({0, macro, i % 2 ? 2 : 1, i, i % 2 ? "Key A Up" : "Key A Down", 65, i * 12});
  }
  for (auto _ : state) {
    if (!store.AddMacroRecords(items)) state.SkipWithError("AddMacroRecords failed");
    state.PauseTiming();
    store.DeleteMacroRecords(macro);
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * 200);
}

BENCHMARK(BM_SetConfig_Store)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetConfig_BareSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddMacroRecords_200)->Unit(benchmark::kMillisecond);

// Averages each benchmark's real time over its repetitions so the ratio can
// be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        Sum& sum = times_[run.run_name.function_name];
        sum.real += run.GetAdjustedRealTime();
        sum.cpu += run.GetAdjustedCPUTime();
        ++sum.count;
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  double Real(const std::string& name) const { return Mean(name, &Sum::real); }
  double Cpu(const std::string& name) const { return Mean(name, &Sum::cpu); }

 private:
  struct Sum {
    double real = 0;
    double cpu = 0;
    int count = 0;
  };
  double Mean(const std::string& name, double Sum::*field) const {
    auto it = times_.find(name);
    return it == times_.end() || it->second.count == 0 ? 0.0 : it->second.*field / it->second.count;
  }
  std::map<std::string, Sum> times_;
};

}  // namespace
}  // namespace zq

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  zq::g_setup = std::make_unique<zq::Setup>();
  zq::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const char* kStore = "BM_SetConfig_Store";
  const char* kBare = "BM_SetConfig_BareSqlite";
  if (reporter.Real(kStore) > 0 && reporter.Real(kBare) > 0) {
    std::printf("\n1000 SetConfig, store / bare sqlite3:\n");
    std::printf("  real %.3f ms / %.3f ms, ratio %.2f\n", reporter.Real(kStore),
                reporter.Real(kBare), reporter.Real(kStore) / reporter.Real(kBare));
    std::printf("  cpu  %.3f ms / %.3f ms, ratio %.2f\n", reporter.Cpu(kStore), reporter.Cpu(kBare),
                reporter.Cpu(kStore) / reporter.Cpu(kBare));
  }
  zq::g_setup.reset();
  benchmark::Shutdown();
  return 0;
}
