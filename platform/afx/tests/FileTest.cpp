#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "platform/afx/CFile.h"
#include "platform/afx/CMemFile.h"
#include "platform/afx/CMemoryException.h"
#include "platform/base/FileApi.h"

namespace {

int FileCause(void (*action)())
{
    try {
        action();
    } catch (CFileException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return CFileException::none;
}

} // namespace

TEST(CFile, WriteReadSeekAndLength)
{
    CFile file;
    CFileException error;
    ASSERT_TRUE(file.Open("Data.BIN", CFile::modeCreate | CFile::modeReadWrite, &error));
    EXPECT_NE(file.m_hFile, CFile::hFileNull);
    file.Write("hello world", 11);
    EXPECT_EQ(file.GetLength(), 11u);
    EXPECT_EQ(file.Seek(-5, CFile::end), 6u);
    char buffer[16] {};
    EXPECT_EQ(file.Read(buffer, sizeof(buffer)), 5u);
    EXPECT_STREQ(buffer, "world");
    file.SetLength(5);
    EXPECT_EQ(file.GetLength(), 5u);
    EXPECT_STREQ(file.GetFileName(), "Data.BIN");
    EXPECT_STREQ(file.GetFileTitle(), "Data");
    EXPECT_EQ(FileCause([] {
        CFile f("data.bin", CFile::modeRead);
        f.Seek(-1, CFile::begin);
    }),
        CFileException::badSeek);
    file.Close();
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);

    // Names match without regard to case; modeNoTruncate keeps the content.
    CFile again("DATA.bin", CFile::modeCreate | CFile::modeNoTruncate | CFile::modeRead);
    EXPECT_EQ(again.GetLength(), 5u);
}

TEST(CFile, FailuresReportTheirCause)
{
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open("missing.txt", CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_FALSE(file.Open("no\\such\\folder\\x.txt", CFile::modeCreate | CFile::modeWrite, &error));
    EXPECT_EQ(error.m_cause, CFileException::badPath);
    std::filesystem::create_directory("folder");
    EXPECT_FALSE(file.Open("folder", CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);

    EXPECT_EQ(FileCause([] { CFile("missing.txt", CFile::modeRead); }), CFileException::fileNotFound);
    EXPECT_EQ(FileCause([] { CFile::Remove("missing.txt"); }), CFileException::fileNotFound);
    EXPECT_EQ(FileCause([] { CFile::Rename("missing.txt", "other.txt"); }), CFileException::fileNotFound);
    EXPECT_EQ(FileCause([] {
        char byte = 0;
        CFile().Read(&byte, 1);
    }),
        CFileException::invalidFile);
}

TEST(CFile, RenameAndRemove)
{
    CFile("old.txt", CFile::modeCreate | CFile::modeWrite).Write("x", 1);
    CFile::Rename("old.txt", "new.txt");
    CFileStatus status;
    EXPECT_FALSE(CFile::GetStatus("old.txt", status));
    EXPECT_TRUE(CFile::GetStatus("NEW.TXT", status));
    CFile::Remove("new.txt");
    EXPECT_FALSE(CFile::GetStatus("new.txt", status));
}

TEST(CFileStatus, SizeAttributesAndTheThreeTimes)
{
    CFile("song.mp3", CFile::modeCreate | CFile::modeWrite).Write("12345", 5);
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus("song.mp3", status));
    EXPECT_EQ(status.m_size, 5u);
    EXPECT_EQ(status.m_attribute & CFile::directory, 0);
    EXPECT_EQ(status.m_attribute & CFile::readOnly, 0);
    EXPECT_EQ(std::string(status.m_szFullName).substr(0, 3), "Z:\\");
    EXPECT_NE(status.m_mtime.GetTime(), 0);
    EXPECT_NE(status.m_atime.GetTime(), 0);
    EXPECT_NE(status.m_ctime.GetTime(), 0);

    // Set write and access times and the read-only attribute; read them back.
    const CTime written(2004, 2, 29, 13, 45, 10);
    const CTime accessed(2005, 7, 1, 8, 0, 0);
    status.m_mtime = written;
    status.m_atime = accessed;
    status.m_attribute |= CFile::readOnly;
    CFile::SetStatus("song.mp3", status);

    CFileStatus back;
    ASSERT_TRUE(CFile::GetStatus("song.mp3", back));
    EXPECT_EQ(back.m_mtime, written);
    EXPECT_EQ(back.m_atime, accessed);
    EXPECT_EQ(back.m_mtime.GetYear(), 2004);
    EXPECT_EQ(back.m_mtime.GetDay(), 29);
    EXPECT_NE(back.m_attribute & CFile::readOnly, 0);

    // A read-only file's times can still be changed, as it becomes writable first.
    back.m_attribute &= static_cast<BYTE>(~CFile::readOnly);
    back.m_mtime = accessed;
    CFile::SetStatus("song.mp3", back);
    ASSERT_TRUE(CFile::GetStatus("song.mp3", status));
    EXPECT_EQ(status.m_mtime, accessed);
    EXPECT_EQ(status.m_attribute & CFile::readOnly, 0);

    std::filesystem::create_directory("Albums");
    ASSERT_TRUE(CFile::GetStatus("albums", status));
    EXPECT_NE(status.m_attribute & CFile::directory, 0);
    EXPECT_EQ(FileCause([] { CFile::SetStatus("missing.mp3", CFileStatus()); }), CFileException::fileNotFound);
}

TEST(CMemFile, GrowsSeeksAndDetaches)
{
    CMemFile file(16);
    file.Write("abc", 3);
    file.Seek(10, CFile::begin);
    file.Write("z", 1); // the gap reads as zeros
    EXPECT_EQ(file.GetLength(), 11u);
    file.SeekToBegin();
    char buffer[12] {};
    EXPECT_EQ(file.Read(buffer, 20), 11u);
    EXPECT_EQ(std::memcmp(buffer, "abc\0\0\0\0\0\0\0z", 11), 0);
    EXPECT_EQ(file.Read(buffer, 1), 0u);
    EXPECT_EQ(FileCause([] {
        CMemFile f;
        f.Seek(-1, CFile::current);
    }),
        CFileException::badSeek);

    BYTE* detached = file.Detach();
    EXPECT_EQ(file.GetLength(), 0u);
    std::free(detached);
}

TEST(CMemFile, AttachedFixedBufferDoesNotGrow)
{
    BYTE storage[4] = { 1, 2, 3, 4 };
    CMemFile file(storage, sizeof(storage));
    EXPECT_EQ(file.GetLength(), 4u);
    file.Seek(2, CFile::begin);
    file.Write("xy", 2);
    EXPECT_EQ(storage[3], 'y');
    try {
        file.Write("!", 1);
        FAIL();
    } catch (CMemoryException* e) {
        e->Delete();
    }
    EXPECT_EQ(file.Detach(), storage);
}
