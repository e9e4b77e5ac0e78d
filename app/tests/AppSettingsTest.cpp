// The rules by which the program reads its settings and names its help and language files.
#include <gtest/gtest.h>

#include "app/AppSettings.h"

TEST(AppSettings, FlagFormsFollowTheirDefaults)
{
    struct Case {
        const char* text;
        BOOL onUnlessFalse;
        BOOL onOnlyIfTrue;
    };
    const Case cases[] = { { "", TRUE, FALSE }, { "F", FALSE, FALSE }, { "f", FALSE, FALSE }, { "T", TRUE, TRUE },
        { "t", TRUE, TRUE }, { "False", TRUE, FALSE }, { "yes", TRUE, FALSE } };
    for (const Case& c : cases) {
        EXPECT_EQ(SettingOnUnlessFalse(c.text), c.onUnlessFalse) << c.text;
        EXPECT_EQ(SettingOnOnlyIfTrue(c.text), c.onOnlyIfTrue) << c.text;
    }
}

TEST(AppSettings, HelpFileLiesInTheFolderBeforeTheLastSeparator)
{
    EXPECT_STREQ(HelpFileFromDirectory("C:\\Help\\"), "C:\\Help\\Tune Steward.chm");
    EXPECT_STREQ(HelpFileFromDirectory("C:\\Help"), "C:\\Tune Steward.chm");
    EXPECT_STREQ(HelpFileFromDirectory("Z:\\opt\\ts\\tunesteward"), "Z:\\opt\\ts\\Tune Steward.chm");
    EXPECT_STREQ(HelpFileFromDirectory("D:help"), "D\\Tune Steward.chm");
    EXPECT_STREQ(HelpFileFromDirectory("help"), "help\\Tune Steward.chm");
}

TEST(AppSettings, LanguageLibraryIsNamedByThePrimaryLanguage)
{
    EXPECT_STREQ(ResourceLibraryName(0x409), "TSRES009.DLL");
    EXPECT_STREQ(ResourceLibraryName(0x807), "TSRES007.DLL");
    EXPECT_STREQ(ResourceLibraryName(0x3FF), "TSRES3ff.DLL");
}
