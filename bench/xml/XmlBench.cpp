// XmlDocument against pugixml on the same work: parse a generated document
// of about 10 MB and read every attribute of every element. Then the cost of
// building documents element by element, which must grow linearly.
//
// Run from the release build: build/release/bench/xml_bench

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "xml/XmlDocument.h"

namespace {

constexpr const char* kAttributeNames[] = {"id", "name", "value", "color", "desc", "flag"};

// A profile-like document: a root, groups of 100 items, each item an empty
// element with six attributes, some of them escaped or non-ASCII.
const std::string& TenMegabytes() {
  static const std::string text = [] {
    std::string t = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<catalog>\r\n";
    int id = 0;
    while (t.size() < 10 * 1000 * 1000) {
      t += "<group index=\"" + std::to_string(id / 100) + "\">\r\n";
      for (int i = 0; i < 100; ++i, ++id) {
        t += "<item id=\"" + std::to_string(id) + "\" name=\"Key " + std::to_string(id % 97) +
             "\" value=\"" + std::to_string(id * 7) + "\" color=\"" +
             std::to_string(id * 2654435761u % 16777216) +
             "\" desc=\"Ctrl &amp; Shift &lt;" + std::to_string(i) +
             "&gt; caf\xC3\xA9\" flag=\"" + std::to_string(id & 1) + "\"/>\r\n";
      }
      t += "</group>\r\n";
    }
    t += "</catalog>\r\n";
    return t;
  }();
  return text;
}

void BM_XmlDocument_ParseAndReadAll(benchmark::State& state) {
  const std::string& text = TenMegabytes();
  size_t elements = 0;
  for (auto _ : state) {
    zq::XmlDocument doc;
    if (!doc.SetDocument(text)) state.SkipWithError("not well-formed");
    size_t checksum = 0;
    elements = 0;
    int depth = 0;
    while (true) {
      if (doc.FindElement()) {
        ++elements;
        for (const char* name : kAttributeNames) checksum += doc.GetAttribute(name).size();
        doc.EnterElement();
        ++depth;
      } else if (depth > 0) {
        doc.LeaveElement();
        --depth;
      } else {
        break;
      }
    }
    benchmark::DoNotOptimize(checksum);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  state.counters["elements"] = static_cast<double>(elements);
}

void ReadAll(const pugi::xml_node& node, size_t& checksum, size_t& elements) {
  // Iterative over the element tree, like the XmlDocument walk.
  std::vector<pugi::xml_node> stack{node};
  while (!stack.empty()) {
    const pugi::xml_node n = stack.back();
    stack.pop_back();
    for (pugi::xml_node child = n.last_child(); child; child = child.previous_sibling()) {
      if (child.type() != pugi::node_element) continue;
      ++elements;
      for (const char* name : kAttributeNames) {
        checksum += std::string(child.attribute(name).value()).size();
      }
      stack.push_back(child);
    }
  }
}

void BM_Pugixml_ParseAndReadAll(benchmark::State& state) {
  const std::string& text = TenMegabytes();
  size_t elements = 0;
  for (auto _ : state) {
    pugi::xml_document doc;
    if (!doc.load_buffer(text.data(), text.size())) state.SkipWithError("pugixml refused");
    size_t checksum = 0;
    elements = 0;
    ReadAll(doc, checksum, elements);
    benchmark::DoNotOptimize(checksum);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  state.counters["elements"] = static_cast<double>(elements);
}

// Builds root > group (every 100 items) > item with three attributes, the
// way the profile and macro exports build their files.
void BM_XmlDocument_Build(benchmark::State& state) {
  const int64_t count = state.range(0);
  size_t bytes = 0;
  for (auto _ : state) {
    zq::XmlDocument doc;
    doc.SetDocument("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n");
    doc.AddElement("catalog");
    doc.EnterElement();
    for (int64_t i = 0; i < count; ++i) {
      if (i % 100 == 0) {
        if (i > 0) doc.LeaveElement();
        doc.AddElement("group");
        doc.EnterElement();
      }
      doc.AddElement("item");
      doc.SetAttribute("id", std::to_string(i));
      doc.SetAttribute("desc", "Ctrl & Shift <x>");
      doc.SetAttribute("value", "12000");
    }
    bytes = doc.GetDocument().size();
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(state.iterations() * count);
  state.SetComplexityN(count);
  state.counters["bytes"] = static_cast<double>(bytes);
}

BENCHMARK(BM_XmlDocument_ParseAndReadAll)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Pugixml_ParseAndReadAll)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_XmlDocument_Build)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// The console report, plus the ratio of the two parsers' throughput.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const auto it = run.counters.find("bytes_per_second");
      if (it != run.counters.end()) throughput_[run.benchmark_name()] = it->second.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const double ours = Find("BM_XmlDocument_ParseAndReadAll");
    const double pugi = Find("BM_Pugixml_ParseAndReadAll");
    if (ours > 0 && pugi > 0) {
      std::printf("\nparse + read every attribute of %.1f MB:\n", TenMegabytes().size() / 1e6);
      std::printf("  XmlDocument %8.1f MB/s\n  pugixml     %8.1f MB/s\n", ours / 1e6, pugi / 1e6);
      std::printf("  XmlDocument / pugixml = %.2f\n", ours / pugi);
    }
  }

 private:
  double Find(const std::string& prefix) const {
    for (const auto& [name, value] : throughput_) {
      if (name.rfind(prefix, 0) == 0) return value;
    }
    return 0;
  }
  std::map<std::string, double> throughput_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
