// The type library's text form: members belong to the interface line above them, and a line that
// cannot be read refuses the whole text.

#include <gtest/gtest.h>

#include <string>

#include "platform/com/TypeLib.h"

TEST(TypeLibText, MembersBelongToTheInterfaceAboveThem)
{
    platform::TypeLibInfo info;
    std::string error;
    ASSERT_TRUE(platform::ParseTypeLibText("library L {6B0E2C4F-3F7A-4C55-9D1E-2A8B7C9D0E11} 1.0 'L 1.0'\n"
                                           "interface IA {6B0E2C43-3F7A-4C55-9D1E-2A8B7C9D0E11} dual 'IA Interface'\n"
                                           "member Item 1 'method Item'\n"
                                           "member Count -4\n"
                                           "interface IB {6B0E2C44-3F7A-4C55-9D1E-2A8B7C9D0E11} dispatch\n",
        info, &error))
        << error;
    ASSERT_EQ(info.interfaces.size(), 2u);
    const auto& members = info.interfaces[0].members;
    ASSERT_EQ(members.size(), 2u);
    EXPECT_EQ(members[0].name, "Item");
    EXPECT_EQ(members[0].dispid, 1);
    EXPECT_EQ(members[0].helpString, "method Item");
    EXPECT_EQ(members[1].dispid, -4);
    EXPECT_EQ(members[1].helpString, "");
    EXPECT_TRUE(info.interfaces[1].members.empty());
}

TEST(TypeLibText, AMalformedMemberRefusesTheTextAndLeavesTheResultAlone)
{
    const std::string library = "library L {6B0E2C4F-3F7A-4C55-9D1E-2A8B7C9D0E11} 1.0\n";
    const std::string itf = "interface IA {6B0E2C43-3F7A-4C55-9D1E-2A8B7C9D0E11} dual\n";
    const std::string cases[] {
        library + "member Item 1\n" + itf, // before any interface
        library + itf + "member Item\n",
        library + itf + "member Item one\n",
        library + itf + "member Item 1x\n",
        library + itf + "member Item 99999999999\n",
        library + itf + "member Item 1 'unterminated\n",
    };
    for (const std::string& text : cases) {
        platform::TypeLibInfo info;
        info.name = "untouched";
        std::string error;
        EXPECT_FALSE(platform::ParseTypeLibText(text, info, &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
        EXPECT_EQ(info.name, "untouched") << text;
    }
}
