// Reading the device's arguments and its rules.

#include "tools/device-emulator/DevicePaths.h"
#include "tools/device-emulator/EmulatorOptions.h"

#include <gtest/gtest.h>

using namespace emulator;

TEST(EmulatorOptionsTest, ReadsSettingsRulesAndFrameworkProperties)
{
    EmulatorOptions options;
    std::string error;
    ASSERT_TRUE(ParseEmulatorArguments({ "port=1600", "folder=lib", "udn=u1", "name=Den, upstairs", "revision=0", "pause=3",
                                           "drop=Music.query,Radio.query", "delay=Music.retrieve:250",
                                           "Process.interMessageGap=0" },
        options, error))
        << error;
    EXPECT_EQ(options.port, 1600);
    EXPECT_EQ(options.folder, "lib");
    EXPECT_EQ(options.udn, "u1");
    EXPECT_EQ(options.friendlyName, "Den, upstairs");
    EXPECT_EQ(options.revision, 0);
    EXPECT_EQ(options.pauseMilliseconds, 3);
    ASSERT_EQ(options.frameworkProperties.size(), 1u);
    EXPECT_EQ(options.frameworkProperties[0].first, "Process.interMessageGap");

    RequestRules rules;
    for (const auto& [key, value] : options.ruleArguments)
        ASSERT_TRUE(rules.Parse(key, value, error)) << error;
    EXPECT_EQ(rules.Find("Radio.query").action, RuleAction::Drop);
    EXPECT_EQ(rules.Find("Music.retrieve").action, RuleAction::Delay);
    EXPECT_EQ(rules.Find("Music.retrieve").delay, std::chrono::milliseconds(250));
    EXPECT_EQ(rules.Find("File.check").action, RuleAction::Answer);
}

TEST(EmulatorOptionsTest, RefusesMalformedArguments)
{
    const char* bad[] = { "port=0", "port=70000", "port=15x", "folder=", "revision=-1", "pause=-1", "pause=2s", "color=red", "noequals",
        "delay=Music.query", "delay=Music.query:-5", "delay=:5", "drop=", "refuse=," };
    for (const char* argument : bad) {
        EmulatorOptions options;
        std::string error;
        EXPECT_FALSE(ParseEmulatorArguments({ argument }, options, error)) << argument;
        EXPECT_FALSE(error.empty()) << argument;
    }
}

TEST(DevicePathsTest, MapsEveryReferenceFormOntoTheRootAndNothingOutsideIt)
{
    const std::pair<const char*, const char*> cases[] = {
        { "vqp://u/7.0.5/Database/Music/Covers/a.jpg", "Database/Music/Covers/a.jpg" },
        { "file://localhost/Database/Music/Covers/a.jpg", "Database/Music/Covers/a.jpg" },
        { "7.0.5/Database/Music/Covers/a.jpg", "Database/Music/Covers/a.jpg" },
        { "Music/T1.mp3", "Music/T1.mp3" },
        { "vqp://u/Music/T1.mp3", "Music/T1.mp3" },
        { "", "" },
        { "vqp://u", "" },
        { "/etc/passwd", "" },
        { "Music/../../x", "" },
        { "7.0.5/../x", "" },
        { "file:///etc/passwd", "etc/passwd" },
    };
    for (const auto& [reference, path] : cases)
        EXPECT_EQ(DevicePath(reference), path) << reference;
}
