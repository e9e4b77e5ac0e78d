#pragma once
// The framework's logger: one process-wide threshold and one output routine that writes a formatted
// line to the debugger output. Callers test LogEnabled before they format, so a line below the
// threshold costs nothing.

namespace vireo {

// Severity of a log line; a higher level is more severe, None silences everything.
enum class LogLevel : int { Any = 0, Trace, Debug, Info, Notice, Warning, Error, Fatal, None };

// The threshold a process starts with.
inline constexpr LogLevel kDefaultLogLevel = LogLevel::Notice;
// Size of the buffer a line is formatted into; longer lines are cut to one byte less.
inline constexpr int kLogLineSize = 512;
// Number of sink slots the log settings can address.
inline constexpr int kLogSinkCount = 4;

// True when a line of this level is written under the current threshold.
bool LogEnabled(int level);
inline bool LogEnabled(LogLevel level) { return LogEnabled(static_cast<int>(level)); }
// Sets the threshold; returns 0.
int SetLogLevel(int level);
inline int SetLogLevel(LogLevel level) { return SetLogLevel(static_cast<int>(level)); }
// The current threshold.
int GetLogLevel();

// Formats a printf-style line and writes it to the debugger output as it is: no level, time or line
// end is added. A line longer than the buffer is cut.
void LogPrint(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Sets the level of each sink slot whose bit is set in slotMask and stores its field mask.
void SetSinkOptions(int level, int fieldMask, int slotMask);
// The level and field mask of a sink slot (0 for a slot outside the table).
int SinkLevel(int slot);
int SinkFieldMask(int slot);
// Stores the debug flag of the log-control message.
void SetLogDebugFlag(bool on);
// Reports the sinks' state; no sink is ever opened, so there is nothing to report.
void ReportLogStatus();

} // namespace vireo
