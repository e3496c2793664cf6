#include "platform/Log.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace zq {
namespace {

std::mutex& SinkMutex() {
  static std::mutex m;
  return m;
}

LogSink& Sink() {
  static LogSink sink;
  return sink;
}

LogLevel Threshold() {
  static const LogLevel level = [] {
    const char* env = std::getenv("ZQ_LOG");
    if (env == nullptr) return LogLevel::Warning;
    if (std::strcmp(env, "debug") == 0) return LogLevel::Debug;
    if (std::strcmp(env, "info") == 0) return LogLevel::Info;
    if (std::strcmp(env, "error") == 0) return LogLevel::Error;
    return LogLevel::Warning;
  }();
  return level;
}

const char* LevelName(LogLevel level) {
  switch (level) {
    case LogLevel::Debug: return "debug";
    case LogLevel::Info: return "info";
    case LogLevel::Warning: return "warning";
    case LogLevel::Error: return "error";
  }
  return "?";
}

}  // namespace

void SetLogSink(LogSink sink) {
  std::lock_guard<std::mutex> lock(SinkMutex());
  Sink() = std::move(sink);
}

bool LogEnabled(LogLevel level) {
  std::lock_guard<std::mutex> lock(SinkMutex());
  return Sink() ? true : level >= Threshold();
}

void LogLine(LogLevel level, const std::string& line) {
  std::lock_guard<std::mutex> lock(SinkMutex());
  if (Sink()) {
    Sink()(level, line);
    return;
  }
  if (level < Threshold()) return;
  std::fprintf(stderr, "zintor-q57-mouse: %s: %s\n", LevelName(level), line.c_str());
}

}  // namespace zq
