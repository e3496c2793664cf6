#pragma once
// A small diagnostic log. The device code traces at a level with a
// printf-style pattern; by default only warnings and errors reach stderr, and
// ZQ_LOG=debug shows everything. Tests may install a sink to capture lines.

#include <fmt/printf.h>

#include <functional>
#include <string>

namespace zq {

enum class LogLevel { Debug = 0, Info = 1, Warning = 2, Error = 3 };

using LogSink = std::function<void(LogLevel, const std::string&)>;

// Replaces the sink (an empty function restores the default stderr sink).
void SetLogSink(LogSink sink);
bool LogEnabled(LogLevel level);
void LogLine(LogLevel level, const std::string& line);

template <typename... Args>
void Log(LogLevel level, const char* pattern, const Args&... args) {
  if (!LogEnabled(level)) return;
  LogLine(level, fmt::sprintf(pattern, args...));
}

}  // namespace zq
