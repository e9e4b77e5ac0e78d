#include "vireo/vireo_log.h"

#include <string>

#include "platform/base/Debug.h"

#include <gtest/gtest.h>

using namespace vireo;

namespace {

// Collects what the logger writes to the debugger output while it lives.
class DebugCapture {
public:
    DebugCapture()
    {
        m_previous = platform::SetDebugOutputHook([this](std::string_view text) { m_text += text; });
    }
    ~DebugCapture() { platform::SetDebugOutputHook(m_previous); }
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
    platform::DebugOutputHook m_previous;
};

// Restores the threshold a test changes.
struct LevelGuard {
    int saved { GetLogLevel() };
    ~LevelGuard() { SetLogLevel(saved); }
};

} // namespace

TEST(Log, ThresholdDecidesWhatIsWritten)
{
    LevelGuard guard;
    EXPECT_EQ(GetLogLevel(), static_cast<int>(LogLevel::Notice));
    EXPECT_TRUE(LogEnabled(LogLevel::Notice));
    EXPECT_TRUE(LogEnabled(LogLevel::Fatal));
    EXPECT_FALSE(LogEnabled(LogLevel::Info));
    EXPECT_EQ(SetLogLevel(LogLevel::None), 0);
    EXPECT_FALSE(LogEnabled(LogLevel::Fatal));
    EXPECT_TRUE(LogEnabled(8));
    EXPECT_TRUE(LogEnabled(9));
}

TEST(Log, PrintWritesTheLineAsFormatted)
{
    DebugCapture capture;
    LogPrint("%s got %d event(s).", "Library", 3);
    EXPECT_EQ(capture.Text(), "Library got 3 event(s).");
}

TEST(Log, LongLinesAreCutAndTerminated)
{
    DebugCapture capture;
    const std::string longText(2000, 'x');
    LogPrint("%s\n", longText.c_str());
    EXPECT_EQ(capture.Text(), std::string(kLogLineSize - 1, 'x'));

    // The cut never leaves half a character behind.
    DebugCapture accented;
    const std::string text = std::string(kLogLineSize - 2, 'x') + "\xC3\xA9tail";
    LogPrint("%s", text.c_str());
    EXPECT_EQ(accented.Text(), std::string(kLogLineSize - 2, 'x'));
}

TEST(Log, LongModifierIsThirtyTwoBits)
{
    DebugCapture capture;
    // The framework's lines were written for a platform whose long has 32 bits.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat"
    LogPrint("%ld %lx|%s", -5, 0x1234ABCDu, "end");
#pragma GCC diagnostic pop
    EXPECT_EQ(capture.Text(), "-5 1234abcd|end");
}

TEST(Log, SinkOptionsChangeOnlyTheChosenSlots)
{
    DebugCapture capture;
    SetSinkOptions(6, 15, 0b0101);
    EXPECT_EQ(SinkLevel(0), 6);
    EXPECT_EQ(SinkFieldMask(2), 15);
    EXPECT_EQ(SinkLevel(1), 0);
    EXPECT_EQ(SinkLevel(7), 0);
    EXPECT_EQ(capture.Text(), "");
}
