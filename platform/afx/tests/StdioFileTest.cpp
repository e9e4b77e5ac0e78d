#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "platform/afx/CFileFind.h"
#include "platform/afx/CStdioFile.h"

TEST(CStdioFile, LinesInTextAndBinaryMode)
{
    std::ofstream("list.m3u", std::ios::binary) << "first\r\nsecond\nthird";
    CStdioFile text("LIST.M3U", CFile::modeRead | CFile::typeText);
    std::vector<std::string> lines;
    CString line;
    while (text.ReadString(line))
        lines.emplace_back(line.GetString());
    EXPECT_EQ(lines, (std::vector<std::string> { "first", "second", "third" }));

    CStdioFile binary("list.m3u", CFile::modeRead | CFile::typeBinary);
    char buffer[8];
    ASSERT_NE(binary.ReadString(buffer, sizeof(buffer)), nullptr);
    EXPECT_STREQ(buffer, "first\r\n");
    ASSERT_NE(binary.ReadString(buffer, 4), nullptr); // cut to the buffer; the rest comes next
    EXPECT_STREQ(buffer, "sec");
    ASSERT_NE(binary.ReadString(buffer, sizeof(buffer)), nullptr);
    EXPECT_STREQ(buffer, "ond\n");

    CStdioFile out("out.txt", CFile::modeCreate | CFile::modeWrite);
    out.WriteString("a\nb\n");
    EXPECT_EQ(out.GetLength(), 4u);
    out.Close();
    CStdioFile append("out.txt", CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
    append.WriteString("c\n");
    append.Close();
    CStdioFile in("out.txt", CFile::modeRead);
    EXPECT_EQ(in.GetLength(), 6u);
}

TEST(CFileFind, WalksMatchesWithThePatternsFolder)
{
    std::filesystem::create_directory("Music");
    std::ofstream("Music/One.MP3") << "x";
    std::ofstream("Music/two.mp3") << "yy";
    std::ofstream("Music/cover.jpg") << "z";
    std::filesystem::create_directory("Music/Sub");

    CFileFind finder;
    std::set<std::string> names;
    for (BOOL more = finder.FindFile("music\\*.mp3"); more;) {
        more = finder.FindNextFile();
        names.insert(finder.GetFileName().GetString());
        EXPECT_FALSE(finder.IsDirectory());
        EXPECT_EQ(finder.GetFilePath().Right(finder.GetFileName().GetLength() + 1), "\\" + finder.GetFileName());
        EXPECT_STREQ(finder.GetFilePath().Left(3), "Z:\\");
    }
    EXPECT_EQ(names, (std::set<std::string> { "One.MP3", "two.mp3" }));

    int dots = 0;
    int folders = 0;
    for (BOOL more = finder.FindFile("Music\\*.*"); more;) {
        more = finder.FindNextFile();
        dots += finder.IsDots() ? 1 : 0;
        folders += finder.IsDirectory() && !finder.IsDots() ? 1 : 0;
    }
    EXPECT_EQ(dots, 2);
    EXPECT_EQ(folders, 1);
    EXPECT_FALSE(finder.FindFile("Music\\*.wav"));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_TRUE(finder.GetFileName().IsEmpty());
}
