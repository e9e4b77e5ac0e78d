// The group step: the genres, the user's setup data and the device's groups into the library and the
// run's maps, and the library's group changes and setup data to the device.

#include "sync/GroupSync.h"
#include "sync/tests/StepTestSupport.h"

namespace {

using GroupSyncTest = StepTest;
using Table = std::vector<std::vector<std::string>>;

const char kMusicGroups[] = R"(<container>
    <item label="1"><ref href="vqp://u/g/rock.xml" primarykey="Rock" secondarykey="r"/></item>
    <item label="2"><ref href="vqp://u/g/jazz.xml" primarykey="Jazz" secondarykey="j"/></item></container>)";
const char kRadioGroups[] = R"(<container><item label="1"><ref href="vqp://u/rg/talk.xml" primarykey="Talk"/></item></container>)";

TEST_F(GroupSyncTest, FromDeviceFillsTheLibraryAndTheRunsMaps)
{
    Device().setup = { { "Setup.firstName", "Ann" }, { "Setup.lastName", "Lee" }, { "Setup.homeCity", "Oslo" } };
    Device().musicGroupList = kMusicGroups;
    Device().radioGroupList = kRadioGroups;

    GroupSync step(this);
    EXPECT_TRUE(step.SyncFromDevice());

    const Table music = Rows("SELECT GroupID, GroupName, DIDIvad FROM tGroup ORDER BY GroupName");
    ASSERT_EQ(music.size(), 2u);
    EXPECT_EQ(music[0][1], "Jazz");
    EXPECT_EQ(music[1][2], "vqp://u/g/rock.xml");
    EXPECT_EQ(std::to_string(SyncRunState::FindMusicGroupId("Rock")), music[1][0]);
    EXPECT_EQ(std::to_string(SyncRunState::FindMusicGroupId("Jazz")), music[0][0]);
    const Table radio = Rows("SELECT GroupID, GroupName FROM tIRadioGroup");
    ASSERT_EQ(radio.size(), 1u);
    EXPECT_EQ(std::to_string(SyncRunState::FindRadioGroupId("Talk")), radio[0][0]);
    EXPECT_EQ(SyncRunState::FindMusicGroupId("Talk"), -1);
    EXPECT_EQ(Rows("SELECT FirstName, LastName, City FROM tCustomerMain"), (Table { { "Ann", "Lee", "Oslo" } }));
    // The genres come from the library's own tables.
    const Table genres = Rows("SELECT Genre, QVGenreID FROM tLookupGenre");
    ASSERT_FALSE(genres.empty());
    EXPECT_EQ(std::to_string(SyncRunState::FindGenreId(genres[0][0])), genres[0][1]);
}

TEST_F(GroupSyncTest, ADeviceWithoutSetupDataGivesNoGroups)
{
    Device().answerSetup = false;
    Device().musicGroupList = kMusicGroups;

    GroupSync step(this);
    EXPECT_FALSE(step.SyncFromDevice());

    EXPECT_TRUE(Rows("SELECT GroupID FROM tGroup").empty());
    EXPECT_EQ(SyncRunState::FindMusicGroupId("Rock"), -1);
    EXPECT_TRUE(Device().Sent("Music.metaquery").empty());
}

TEST_F(GroupSyncTest, ToDeviceSendsGroupChangesThenTheSetupData)
{
    Execute({
        "INSERT INTO tGroup (GroupID, GroupName, DIDIvad, ModifyFlag) VALUES (1, 'Rock', 'vqp://u/g/rock.xml', True)",
        "INSERT INTO tIRadioGroup (GroupID, GroupName, DIDIvad, ModifyFlag) VALUES (1, 'Talk', 'vqp://u/rg/talk.xml', True)",
        "INSERT INTO tCustomerMain (FirstName, LastName) VALUES ('Ann', 'Lee')",
    });

    GroupSync step(this);
    EXPECT_TRUE(step.SyncToDevice());

    std::vector<std::string> names;
    for (const auto& message : Device().sent) {
        if (message.Name() != "Process.identity")
            names.push_back(message.Name());
    }
    EXPECT_EQ(names, (std::vector<std::string> { "Music.change", "Radio.change", "Properties.set" }));
    EXPECT_NE(Device().Sent("Radio.change").at(0).Payload().find("index=TalkRadio.query"), std::string::npos);
    EXPECT_EQ(Device().Sent("Properties.set").at(0).Args().GetString("Setup.firstName"), "Ann");
    // One step for the music group, two for the radio group; the total is the pending changes.
    EXPECT_EQ(SyncRunState::GetStepCount(), 3);
    EXPECT_EQ(SyncRunState::GetStepTotal(), 2);
}

TEST_F(GroupSyncTest, ToDeviceWithoutACustomerSucceedsWithNoSetupDataToSend)
{
    Execute({ "INSERT INTO tGroup (GroupID, GroupName, DIDIvad, ModifyFlag) VALUES (1, 'Rock', 'vqp://u/g/rock.xml', True)" });

    GroupSync step(this);
    EXPECT_TRUE(step.SyncToDevice());

    EXPECT_EQ(Device().Sent("Music.change").size(), 1u);
    EXPECT_TRUE(Device().Sent("Properties.set").empty());
}

TEST_F(GroupSyncTest, CancellingDuringRemovalsSendsNothingMore)
{
    Execute({
        "INSERT INTO tGroup (GroupID, GroupName, DIDIvad, DeleteFlag) VALUES (1, 'Rock', 'vqp://u/g/rock.xml', True)",
        "INSERT INTO tIRadioGroup (GroupID, GroupName, DIDIvad, DeleteFlag) VALUES (1, 'Talk', 'vqp://u/rg/talk.xml', True)",
        "INSERT INTO tCustomerMain (FirstName) VALUES ('Ann')",
    });
    Device().onSend = [](const vireo::Message& message) {
        if (message.Name() == "Music.remove")
            SyncRunState::Cancel();
    };

    GroupSync step(this);
    EXPECT_FALSE(step.SyncToDevice());

    EXPECT_EQ(Device().Sent("Music.remove").size(), 1u);
    EXPECT_TRUE(Device().Sent("Radio.remove").empty());
    EXPECT_TRUE(Device().Sent("Properties.set").empty());
}

} // namespace
