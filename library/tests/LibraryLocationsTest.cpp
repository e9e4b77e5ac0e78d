// Where a library lives: folder names, the data-source folder and the genre pictures.

#include "library/FileRoutines.h"
#include "library/LibraryLocations.h"
#include "library/tests/support/AppFixture.h"
#include "library/tests/support/TestFolder.h"

#include <string>

namespace {

using testing_support::CurrentDirectory;
using testing_support::Touch;

class LibraryLocations : public AppFixture {};

} // namespace

TEST_F(LibraryLocations, LibraryFolderName)
{
    struct Case {
        const char* maker;
        const char* device;
        const char* folder;
    };
    const Case cases[] = {
        { "Aldercrest", "Den Player 2.0", "Aldercrest\\Den_Player_2_0" },
        // The sample library keeps the device name as written, whatever its case.
        { "Aldercrest", "dividedUZEREDUD", "dividedUZEREDUD" },
        { "A.B", "x ./\\[]:+|<>=;,*?\"y", "A_B\\x_________________y" },
        { "Aldercrest", "", "Aldercrest\\" },
    };
    for (const Case& c : cases) {
        App().m_strMaker = c.maker;
        App().m_strDeviceName = c.device;
        EXPECT_STREQ(GetLibraryFolderName(), c.folder) << c.device;
    }
}

TEST_F(LibraryLocations, DataSourceIsFixedOnFirstUse)
{
    const std::string current = CurrentDirectory() + "\\";
    EXPECT_STREQ(GetDataSourceDirectory(), current.c_str());
    EXPECT_STREQ(App().m_strDataSource, current.c_str());

    App().m_strDataSource = "C:\\Libs\\Data";
    EXPECT_STREQ(GetDataSourceDirectory(), "C:\\Libs\\");

    App().m_strMaker = "Aldercrest";
    App().m_strDeviceName = "Den Player";
    EXPECT_STREQ(GetLibraryRoot(), "C:\\Libs\\Aldercrest\\Den_Player\\");
    EXPECT_STREQ(GetDatabasePath(), "C:\\Libs\\Aldercrest\\Den_Player\\Database\\Tune Steward.mdb");
    EXPECT_STREQ(GetCoversPath(), "C:\\Libs\\Aldercrest\\Den_Player\\Music\\Covers\\");
    EXPECT_STREQ(GetMp3Path(), "C:\\Libs\\Aldercrest\\Den_Player\\Music\\MP3s\\");
    EXPECT_STREQ(GetDatabaseConnectionString(),
        "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\Libs\\Aldercrest\\Den_Player\\Database\\Tune "
        "Steward.mdb;Persist Security Info=False");
    EXPECT_STREQ(MakeRelativePath("C:\\Libs\\Aldercrest\\Den_Player\\Music\\x.mp3"), "Music\\x.mp3");
    EXPECT_STREQ(MakeRelativePath("short"), "short");
    EXPECT_STREQ(GetSampleCoversPath(), "C:\\Libs\\DivideDuzereDud\\Music\\Covers\\");
}

TEST_F(LibraryLocations, GenreCoverFallsBackToTheDefaultPicture)
{
    const CString art = CString(CurrentDirectory().c_str()) + "\\art\\";
    ASSERT_TRUE(CreateDirectoryPath(art));
    App().m_strDefaultArtDirectory = art;
    CGenre rock;
    rock.m_nGenreId = 12;
    rock.m_strGenre = "Rock";
    rock.m_strCoverArt = "rock.jpg";
    App().m_genres.Add(rock);
    CGenre jazz;
    jazz.m_nGenreId = 9;
    jazz.m_strGenre = "Jazz";
    jazz.m_strCoverArt = "jazz.jpg";
    App().m_genres.Add(jazz);
    Touch(art + "rock.jpg");

    EXPECT_EQ(GetGenreCoverPath(12), art + "rock.jpg");
    EXPECT_EQ(GetGenreCoverPath(9), art + "Default Cover.jpg"); // its picture is missing
    EXPECT_EQ(GetGenreCoverPath(0), art + "Default Cover.jpg");
}

