// The toolkit's file-system helper on a real folder tree made in the test's own directory.

#include "toolkit/controls/SECFileSystem.h"

#include "platform/base/FileApi.h"
#include "platform/base/PathApi.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <string>

namespace {

class FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char buffer[MAX_PATH] {};
        GetCurrentDirectory(MAX_PATH, buffer);
        m_root = CString(buffer) + "\\";
    }

    CString Path(const char* relative) const { return m_root + relative; }

    void Write(const char* relative, const std::string& content) const
    {
        FILE* file = platform::OpenFile(Path(relative), "wb");
        ASSERT_NE(file, nullptr) << relative;
        std::fwrite(content.data(), 1, content.size(), file);
        std::fclose(file);
    }

    std::string Read(const char* relative) const
    {
        std::string content;
        FILE* file = platform::OpenFile(Path(relative), "rb");
        if (file == nullptr)
            return "<missing>";
        char buffer[256];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            content.append(buffer, n);
        std::fclose(file);
        return content;
    }

    void MakeFolder(const char* relative) const { ASSERT_TRUE(CreateDirectory(Path(relative), nullptr)) << relative; }

    std::set<std::string> Relative(CStringList* list) const
    {
        std::unique_ptr<CStringList> owned(list);
        std::set<std::string> names;
        for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
            names.insert(std::string(list->GetNext(pos).Mid(m_root.GetLength()).GetString()));
        return names;
    }

    CString m_root;
    SECFileSystem m_fs;
};

} // namespace

TEST_F(FileSystemTest, ListingsFilterByAttributes)
{
    MakeFolder("Music");
    MakeFolder("Music\\Live.mp3"); // a folder whose name matches the pattern
    Write("Music\\a.mp3", "a");
    Write("Music\\B.MP3", "b");
    Write("Music\\c.wma", "c");

    EXPECT_EQ(Relative(m_fs.GetDirectory(Path("Music\\*.mp3"), 0)), (std::set<std::string> { "Music\\a.mp3", "Music\\B.MP3" }));
    EXPECT_EQ(Relative(m_fs.GetDirectory(Path("Music\\*.mp3"), SECFileSystem::allEntries)),
        (std::set<std::string> { "Music\\a.mp3", "Music\\B.MP3", "Music\\Live.mp3" }));
    EXPECT_EQ(Relative(m_fs.GetDirectory(Path("Music\\*.*"), FILE_ATTRIBUTE_DIRECTORY)), (std::set<std::string> { "Music\\Live.mp3" }));
    EXPECT_TRUE(Relative(m_fs.GetDirectory(Path("Missing\\*.mp3"), 0)).empty());
    EXPECT_EQ(Relative(m_fs.GetSubdirList(Path("Music\\"), TRUE)), (std::set<std::string> { "Music\\Live.mp3" }));

    std::unique_ptr<CString> first(m_fs.FindMatch(Path("Music\\*.wma"), 0));
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(*first, "c.wma");
    EXPECT_EQ(m_fs.FindMatch("", 0), nullptr);
}

TEST_F(FileSystemTest, RecursiveListFindsEveryLevel)
{
    MakeFolder("r");
    MakeFolder("r\\one");
    MakeFolder("r\\one\\two");
    Write("r\\top.mp3", "");
    Write("r\\one\\mid.mp3", "");
    Write("r\\one\\two\\deep.mp3", "");
    Write("r\\one\\two\\other.txt", "");
    EXPECT_EQ(Relative(m_fs.GetFileList(Path("r\\*.mp3"), 0, TRUE)),
        (std::set<std::string> { "r\\top.mp3", "r\\one\\mid.mp3", "r\\one\\two\\deep.mp3" }));
    EXPECT_EQ(Relative(m_fs.GetFileList(Path("r\\*.mp3"), 0, FALSE)), (std::set<std::string> { "r\\top.mp3" }));
}

TEST_F(FileSystemTest, CopyRenameDelete)
{
    Write("src", "0123456789");
    Write("dst", "keep");
    EXPECT_FALSE(m_fs.CopyFile(Path("src"), Path("dst"), 4));
    EXPECT_EQ(Read("dst"), "keep");
    EXPECT_TRUE(m_fs.CopyFile(Path("src"), Path("copy"), 3));
    EXPECT_EQ(Read("copy"), "0123456789");
    EXPECT_FALSE(m_fs.CopyFile(Path("src"), Path("zero"), 0));
    EXPECT_EQ(Read("zero"), "<missing>");
    EXPECT_FALSE(m_fs.CopyFile(Path("missing"), Path("new"), 16));
    EXPECT_EQ(Read("new"), "<missing>");

    EXPECT_TRUE(m_fs.RenameFile(Path("missing"), Path("missing"))); // equal names: nothing to do
    EXPECT_FALSE(m_fs.RenameFile(Path("missing"), Path("other")));
    EXPECT_FALSE(m_fs.RenameFile(Path("copy"), Path("dst")));
    EXPECT_EQ(Read("dst"), "keep");
    EXPECT_TRUE(m_fs.RenameFile(Path("copy"), Path("moved")));
    EXPECT_EQ(Read("moved"), "0123456789");
    EXPECT_FALSE(SECFileSystem::FileExists(Path("copy")));

    EXPECT_TRUE(m_fs.DeleteFile(Path("moved")));
    EXPECT_FALSE(m_fs.DeleteFile(Path("moved")));
}

TEST_F(FileSystemTest, DeleteFilesStaysInItsFolder)
{
    MakeFolder("d");
    MakeFolder("d\\sub");
    Write("d\\a.prp", "");
    Write("d\\b.PRP", "");
    Write("d\\keep.txt", "");
    Write("d\\sub\\c.prp", "");
    EXPECT_TRUE(m_fs.DeleteFiles(Path("d\\*.prp"), SECFileSystem::normalEntries));
    EXPECT_EQ(Relative(m_fs.GetFileList(Path("d\\*.*"), SECFileSystem::allEntries, TRUE)),
        (std::set<std::string> { "d\\keep.txt", "d\\sub", "d\\sub\\c.prp" }));
    EXPECT_TRUE(m_fs.DeleteFiles(Path("d\\*.none"), 0));
}

TEST(SECFileSystemPaths, SplitAndJoin)
{
    EXPECT_STREQ(SECFileSystem::AppendPath("C:\\Music\\", "x.mp3"), "C:\\Music\\x.mp3");
    EXPECT_STREQ(SECFileSystem::AppendPath("C:\\Music", "x.mp3"), "C:\\Music\\x.mp3");
    EXPECT_STREQ(SECFileSystem::AppendPath("C:/Music/", "x.mp3"), "C:/Music/x.mp3");
    EXPECT_STREQ(SECFileSystem::AppendPath("", "x.mp3"), "x.mp3");
    EXPECT_STREQ(SECFileSystem::GetFileName("C:\\a/b.mp3"), "b.mp3");
    EXPECT_STREQ(SECFileSystem::GetFileName("b.mp3"), "b.mp3");
    EXPECT_STREQ(SECFileSystem::GetPath("C:\\a/b.mp3"), "C:\\a/");
    EXPECT_STREQ(SECFileSystem::GetPath("b.mp3"), "");

    SECFileSystem fs;
    std::unique_ptr<CStringList> drives(fs.GetDriveList());
    ASSERT_EQ(drives->GetCount(), 1);
    EXPECT_STREQ(drives->GetHead(), "z:\\");
}
