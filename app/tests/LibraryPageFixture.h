#pragma once
// A test of the program's pages and dialogs over a real library: an application object, a new library
// made by the library's own code with theLibraryConnection open on it, a screen, an owner window that
// drives modal dialogs step by step, and the message boxes recorded.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/CPelicanApp.h"
#include "library/_ADOConnectionHelper.h"
#include "library/tests/support/MessageBoxRecorder.h"
#include "library/tests/support/NewLibrary.h"
#include "library/tests/support/TestFolder.h"
#include "platform/afx/tests/DialogSteps.h"
#include "platform/com/ObjBase.h"
#include "platform/user/TestScreen.h"

class LibraryPageFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        afxtest::Steps().clear();
        CoInitialize(nullptr);
        m_app.emplace();
        m_app->SetRegistryKey("Corvane");
        ASSERT_EQ(platform::EnsureDataAccessRegistered(), S_OK);
        // Named after the test, so that tests run in one process each make their own.
        const std::string path = testing_support::CurrentDirectory() + "\\"
            + ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "."
            + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".mdb";
        ASSERT_TRUE(testing_support::MakeNewLibrary(path));
        ASSERT_TRUE(theLibraryConnection.OpenDatabase(path.c_str()));
        WNDCLASS owner {};
        owner.lpfnWndProc = afxtest::OwnerProc;
        owner.lpszClassName = "PageTestOwner";
        RegisterClass(&owner);
        m_ownerWnd = CreateWindowEx(0, "PageTestOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480,
            nullptr, nullptr, nullptr, nullptr);
        m_owner.Attach(m_ownerWnd);
        m_boxes.emplace();
    }
    void TearDown() override
    {
        m_boxes.reset();
        m_owner.Detach();
        DestroyWindow(m_ownerWnd);
        afxtest::Steps().clear();
        theLibraryConnection.Close();
        m_app.reset();
        CoUninitialize();
    }

    CPelicanApp& App() { return *m_app; }
    const std::vector<std::string>& Boxes() const { return m_boxes->Texts(); }

    // The first field of the first row of a query, as text; "<none>" when there is none or it is Null.
    static std::string Text(const std::string& sql)
    {
        const _variant_t value = theLibraryConnection.ExecuteScalar(sql.c_str(), adCmdText);
        if (value.vt == VT_EMPTY || value.vt == VT_NULL)
            return "<none>";
        return static_cast<const char*>(_bstr_t(value));
    }
    static long Number(const std::string& sql)
    {
        const _variant_t value = theLibraryConnection.ExecuteScalar(sql.c_str(), adCmdText);
        return value.vt == VT_EMPTY || value.vt == VT_NULL ? -999 : static_cast<long>(value);
    }
    static std::string ControlText(HWND dialog, int id)
    {
        char text[512] {};
        GetDlgItemText(dialog, id, text, sizeof text);
        return text;
    }

    platform::user::TestScreen m_screen { 640, 480 };
    std::optional<CPelicanApp> m_app;
    HWND m_ownerWnd { nullptr };
    CWnd m_owner;
    std::optional<MessageBoxRecorder> m_boxes;
};
