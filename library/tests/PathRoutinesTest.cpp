// Path arithmetic and folder making.

#include "library/FileRoutines.h"
#include "library/PathRoutines.h"
#include "library/tests/support/TestFolder.h"

#include <gtest/gtest.h>

#include <string>

using testing_support::CurrentDirectory;
using testing_support::Touch;

TEST(PathRoutines, PathArithmetic)
{
    struct Case {
        CString (*routine)(LPCTSTR);
        const char* input;
        const char* result;
    };
    const Case cases[] = {
        { FolderOfPath, "C:\\Music\\song.mp3", "C:\\Music\\" },
        { FolderOfPath, "song.mp3", "" },
        { FolderOfPath, "\\song.mp3", "" },
        { ParentFolder, "C:\\a\\b", "C:\\a" },
        { ParentFolder, "C:", "C" },
        { ParentFolder, "name", "name" },
        { FileNameWithExtension, "C:\\Music\\song.mp3", "song.mp3" },
        { FileNameOfPath, "C:\\Music\\song.v2.mp3", "song.v2" },
        { ExtensionOfPath, "C:\\Music\\song.mp3", ".mp3" },
        { ExtensionOfPath, "C:\\Music.d\\song", "" },
        { MakeFileNameSafe, "My #1 Song.mp3", "My_a1_Song.mp3" },
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.routine(c.input), c.result) << c.input;
    EXPECT_STREQ(ConcatPath("a", "b"), "ba");
    EXPECT_STREQ(TailOfPath("C:\\x\\y", "C:\\x\\"), "y");
    EXPECT_STREQ(TailOfPath("C:\\x", "C:\\x"), "C:\\x");
}

TEST(PathRoutines, CreateDirectoryPathMakesMissingParents)
{
    const CString root = CString(CurrentDirectory().c_str());
    EXPECT_TRUE(CreateDirectoryPath(root + "\\a\\b\\c\\"));
    EXPECT_TRUE(IsDirectory(root + "\\a\\b\\c"));
    EXPECT_TRUE(CreateDirectoryPath(root + "\\a\\b")); // already there
    EXPECT_TRUE(CreateDirectoryPath(""));
    EXPECT_TRUE(CreateDirectoryPath("C:"));

    // A file in the way makes the folder impossible.
    Touch(root + "\\file");
    EXPECT_FALSE(CreateDirectoryPath(root + "\\file\\sub"));
    EXPECT_FALSE(IsDirectory(root + "\\file"));
}
