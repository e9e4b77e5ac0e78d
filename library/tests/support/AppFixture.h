#pragma once
// A fresh application object for each test, on a thread with the component model started as the
// program's start-up does: the library routines read the open library's identity and flags from it.

#include "app/CPelicanApp.h"
#include "platform/com/ObjBase.h"

#include <gtest/gtest.h>

#include <memory>

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitialize(nullptr);
        m_app = std::make_unique<CPelicanApp>();
        m_app->SetRegistryKey("Corvane");
    }
    void TearDown() override
    {
        m_app.reset();
        CoUninitialize();
    }

    CPelicanApp& App() { return *m_app; }

private:
    std::unique_ptr<CPelicanApp> m_app;
};
