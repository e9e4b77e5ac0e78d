// The radio step: the device's stations into the library, and the library's station changes to the
// device.

#include "sync/RadioSync.h"
#include "sync/tests/StepTestSupport.h"

namespace {

using RadioSyncTest = StepTest;
using Table = std::vector<std::vector<std::string>>;

TEST_F(RadioSyncTest, FromDeviceAppendsStationsWithTheirGenreAndGroups)
{
    // The group step of the run has mapped the radio genre Talk and the radio group Talk.
    SyncRunState::AddGenre(SyncRunState::RadioGenres(), "Talk", 7);
    SyncRunState::AddRadioGroup("Talk", 3);
    Device().radioList = R"(<container>
        <item label="1"><ref href="vqp://u/r/a.xml" primarykey="A"/></item>
        <item label="2"><ref href="vqp://u/r/b.xml" primarykey="B"/></item></container>)";
    Device().documents["vqp://u/r/a.xml"] = R"(<radioinfo href="vqp://u/r/a.xml"><identifier>a-1</identifier><name>Talk A</name>
        <group>All</group><group>Talk</group><internet><href>http://a</href><urlno>2</urlno></internet></radioinfo>)";
    // Only "All": no genre of its own, and no group the library knows.
    Device().documents["vqp://u/r/b.xml"] = R"(<radioinfo href="vqp://u/r/b.xml"><name>Music B</name><group>All</group></radioinfo>)";

    RadioSync step(this);
    EXPECT_TRUE(step.SyncFromDevice());

    const Table stations = Rows("SELECT QVRadioID, Station, Category, URL, URLNo, REDUZIDedaDora, Identifier FROM tIRadioMain ORDER BY Station");
    ASSERT_EQ(stations.size(), 2u);
    EXPECT_EQ(stations[0], (std::vector<std::string> { stations[0][0], "Music B", "18", " ", "1", "vqp://u/r/b.xml", " " }));
    EXPECT_EQ(stations[1], (std::vector<std::string> { stations[1][0], "Talk A", "7", "http://a", "2", "vqp://u/r/a.xml", "a-1" }));
    EXPECT_EQ(Rows("SELECT RadioGroupID, QVRadioID FROM tIRadioGroupList"), (Table { { "3", stations[1][0] } }));
    // The list, the library, two fetches, two appends and one link.
    EXPECT_EQ(SyncRunState::GetStepCount(), 7);
}

TEST_F(RadioSyncTest, AStationThatCannotBeAppendedIsNotLinked)
{
    // Without its table the station cannot be appended; its link would name no station.
    Execute({ "DROP TABLE tIRadioMain" });
    SyncRunState::AddRadioGroup("Talk", 3);
    Device().radioList = R"(<container><item label="1"><ref href="vqp://u/r/a.xml" primarykey="A"/></item></container>)";
    Device().documents["vqp://u/r/a.xml"] = R"(<radioinfo href="vqp://u/r/a.xml"><name>Talk A</name><group>Talk</group></radioinfo>)";

    RadioSync step(this);
    EXPECT_TRUE(step.SyncFromDevice());

    EXPECT_TRUE(Rows("SELECT RadioGroupID FROM tIRadioGroupList").empty());
}

TEST_F(RadioSyncTest, ToDeviceSendsChangedNewAndRemovedStations)
{
    Execute({
        "INSERT INTO tIRadioMain (QVRadioID, Station, Identifier, REDUZIDedaDora, ModifyFlag) VALUES (1, 'Changed', 'c-1', 'vqp://u/r/c.xml', True)",
        "INSERT INTO tIRadioMain (QVRadioID, Station, Identifier) VALUES (2, 'Fresh', 'f-1')",
        "INSERT INTO tIRadioMain (QVRadioID, Station, Identifier, REDUZIDedaDora, DeleteFlag) VALUES (3, 'Gone', 'g-1', 'vqp://u/r/g.xml', True)",
    });

    RadioSync step(this);
    EXPECT_TRUE(step.SyncToDevice());

    std::vector<std::string> names;
    for (const auto& message : Device().sent) {
        if (message.Name() != "Process.identity")
            names.push_back(message.Name());
    }
    EXPECT_EQ(names, (std::vector<std::string> { "Radio.change", "Radio.create", "Radio.remove" }));
    EXPECT_EQ(Device().Sent("Radio.change").at(0).Args().GetString("href"), "vqp://u/r/c.xml");
    EXPECT_NE(Device().Sent("Radio.change").at(0).Payload().find("<name>Changed</name>"), std::string::npos);
    EXPECT_EQ(Device().Sent("Radio.create").at(0).Args().GetString("name"), "Fresh");
    EXPECT_EQ(Device().Sent("Radio.remove").at(0).Args().GetString("identifier"), "g-1");
    EXPECT_EQ(SyncRunState::GetStepCount(), 3);
}

} // namespace
