#include "vireo/vireo_log.h"

#include <atomic>
#include <cstdarg>
#include <mutex>
#include <string>

#include "platform/base/Debug.h"
#include "platform/base/Format.h"

namespace vireo {

namespace {

struct SinkSlot {
    int level { 0 };
    int fieldMask { 0 };
};

// Processes may pump their event loops on different threads, so the threshold is read and written
// atomically and the slot table under a lock.
std::atomic<int> g_threshold { static_cast<int>(kDefaultLogLevel) };
std::atomic<bool> g_debugFlag { false };
std::mutex g_sinkMutex;
SinkSlot g_sinks[kLogSinkCount];

} // namespace

bool LogEnabled(int level) { return level >= g_threshold.load(std::memory_order_relaxed); }

int SetLogLevel(int level)
{
    g_threshold.store(level, std::memory_order_relaxed);
    return 0;
}

int GetLogLevel() { return g_threshold.load(std::memory_order_relaxed); }

void LogPrint(const char* format, ...)
{
    if (!format)
        return;
    // The platform's formatter reads the framework's format strings the way they were written
    // ("l" is 32 bits); the C library's printf family never sees them.
    va_list args;
    va_start(args, format);
    std::string line = platform::VFormat(format, args);
    va_end(args);
    // A line longer than the buffer is cut, at a character boundary.
    if (line.size() >= static_cast<std::size_t>(kLogLineSize)) {
        std::size_t cut = kLogLineSize - 1;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        line.resize(cut);
    }
    OutputDebugStringA(line.c_str());
}

void SetSinkOptions(int level, int fieldMask, int slotMask)
{
    // No sink is opened in this system, so a changed field mask has no column titles to write.
    std::lock_guard lock(g_sinkMutex);
    for (int i = 0; i < kLogSinkCount; ++i) {
        if (slotMask & (1 << i)) {
            g_sinks[i].level = level;
            g_sinks[i].fieldMask = fieldMask;
        }
    }
}

int SinkLevel(int slot)
{
    std::lock_guard lock(g_sinkMutex);
    return slot >= 0 && slot < kLogSinkCount ? g_sinks[slot].level : 0;
}

int SinkFieldMask(int slot)
{
    std::lock_guard lock(g_sinkMutex);
    return slot >= 0 && slot < kLogSinkCount ? g_sinks[slot].fieldMask : 0;
}

void SetLogDebugFlag(bool on) { g_debugFlag.store(on); }

void ReportLogStatus() { }

} // namespace vireo
