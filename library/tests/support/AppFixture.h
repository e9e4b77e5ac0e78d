#pragma once
// A fresh application object for each test: the library routines read the open library's identity
// and flags from it.

#include "app/CPelicanApp.h"

#include <gtest/gtest.h>

#include <memory>

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_app = std::make_unique<CPelicanApp>();
        m_app->SetRegistryKey("Corvane");
    }
    void TearDown() override { m_app.reset(); }

    CPelicanApp& App() { return *m_app; }

private:
    std::unique_ptr<CPelicanApp> m_app;
};
