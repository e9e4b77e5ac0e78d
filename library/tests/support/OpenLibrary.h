#pragma once
// A test with an application object, a library file of every table and stored query in the test's
// own folder, theLibraryConnection open on it, and the message boxes recorded.

#include "library/_ADOConnectionHelper.h"
#include "library/tests/support/AppFixture.h"
#include "library/tests/support/LibraryFile.h"
#include "library/tests/support/MessageBoxRecorder.h"
#include "library/tests/support/TestFolder.h"

#include "platform/base/PathApi.h"

#include <optional>
#include <string>

class OpenLibrary : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_EQ(platform::EnsureDataAccessRegistered(), S_OK);
        m_path = testing_support::CurrentDirectory() + "\\lib.mdb";
        testing_support::MakeLibraryFile(m_path, true);
        ASSERT_TRUE(theLibraryConnection.OpenDatabase(m_path.c_str()));
        m_boxes.emplace();
    }
    void TearDown() override
    {
        m_boxes.reset();
        theLibraryConnection.Close();
        AppFixture::TearDown();
    }

    // Runs an action statement on the library.
    void Execute(const char* sql) { ASSERT_TRUE(theLibraryConnection.ExecuteSql(sql, nullptr, 1)) << sql; }

    const std::vector<std::string>& Boxes() const { return m_boxes->Texts(); }

    std::string m_path;
    std::optional<MessageBoxRecorder> m_boxes;
};
