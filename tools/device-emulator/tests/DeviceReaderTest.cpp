// Reading received item documents and giving them the device's reference.

#include "tools/device-emulator/DeviceReader.h"

#include <gtest/gtest.h>

using namespace emulator;

TEST(DeviceReaderTest, SetsOrAddsTheRootReferenceAndKeepsTheRest)
{
    const std::pair<const char*, const char*> cases[] = {
        { "<a href=\"old\"><b href=\"keep\"/></a>", "<a href=\"new&amp;\"><b href=\"keep\"/></a>" },
        { "<a version='1.0' href='old'/>", "<a version='1.0' href=\"new&amp;\"/>" },
        { "<a/>", "<a href=\"new&amp;\"/>" },
        { "<a x = \"1\" >t</a>", "<a href=\"new&amp;\" x = \"1\" >t</a>" },
        { "<?xml version=\"1.0\"?>\n<!-- <a href=\"no\"> -->\n<!DOCTYPE a [ <!ENTITY e \">\"> ]>\n<a hrefs=\"1\"/>",
            "<?xml version=\"1.0\"?>\n<!-- <a href=\"no\"> -->\n<!DOCTYPE a [ <!ENTITY e \">\"> ]>\n<a href=\"new&amp;\" "
            "hrefs=\"1\"/>" },
    };
    for (const auto& [document, expected] : cases)
        EXPECT_EQ(WithReference(document, "new&"), std::optional<std::string>(expected)) << document;
    for (const char* broken : { "", "text only", "<?xml version=\"1.0\"?>", "<a href=\"unclosed/>", "<a b>" })
        EXPECT_EQ(WithReference(broken, "new"), std::nullopt) << broken;
}

TEST(DeviceReaderTest, TellsTheKindAndKeysOfEachDocument)
{
    struct Case {
        const char* document;
        bool radio;
        ItemKind kind;
        const char* primary;
        const char* secondary;
    };
    const Case cases[] = {
        { "<!DOCTYPE cdinfo SYSTEM \"http://example.invalid/cdinfo.dtd\"><cdinfo href=\"h\"><artist>A</artist>"
          "<title>T</title><group>All</group><group>Jazz</group></cdinfo>",
            false, ItemKind::CdAlbum, "A", "T" },
        { "<mp3info><artist>A</artist><title>T</title></mp3info>", false, ItemKind::Mp3Album, "A", "T" },
        { "<songlistinfo href=\"h\"><title>Evening</title></songlistinfo>", false, ItemKind::Playlist, "Playlist",
            "Evening" },
        { "<groupinfo><name>Jazz</name></groupinfo>", false, ItemKind::MusicGroup, "Jazz", "Jazz" },
        { "<groupinfo><name>News</name></groupinfo>", true, ItemKind::RadioGroup, "News", "News" },
        { "<radioinfo><identifier>s1</identifier><name>One</name></radioinfo>", true, ItemKind::Station, "One",
            "s1" },
    };
    for (const Case& c : cases) {
        std::string error;
        const std::optional<DocumentFacts> facts = ReadDocumentFacts(c.document, c.radio, error);
        ASSERT_TRUE(facts) << c.document << ": " << error;
        EXPECT_EQ(facts->kind, c.kind) << c.document;
        EXPECT_EQ(facts->primaryKey, c.primary) << c.document;
        EXPECT_EQ(facts->secondaryKey, c.secondary) << c.document;
    }
    std::string error;
    EXPECT_EQ(ReadDocumentFacts(cases[0].document, false, error)->groups, (std::vector<std::string> { "All", "Jazz" }));
    for (const char* refused : { "", "<container/>", "<mp3info><title>x</mp3info>" }) {
        error.clear();
        EXPECT_FALSE(ReadDocumentFacts(refused, false, error)) << refused;
        EXPECT_FALSE(error.empty()) << refused;
    }
}
