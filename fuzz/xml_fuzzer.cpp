// libFuzzer target for XmlDocument: arbitrary bytes are loaded, walked,
// edited, checked for a consistent index, saved and loaded again.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "XmlExercise.h"

namespace {

// The scratch file for SaveFile, in memory where possible: a file on disk
// that is truncated and rewritten is flushed on close by some file systems,
// which would make saving most of the cost of an input.
std::string ScratchPath() {
  std::error_code ec;
  const std::filesystem::path folder = std::filesystem::is_directory("/dev/shm", ec)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
  return (folder / ("xml_fuzzer_" + std::to_string(getpid()) + ".xml")).string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string scratch = ScratchPath();
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::remove(scratch.c_str());
  if (!zq::fuzz::ExerciseXml(bytes, scratch)) {
    // The index the edits maintained differs from a fresh parse of the text.
    std::abort();
  }
  return 0;
}
