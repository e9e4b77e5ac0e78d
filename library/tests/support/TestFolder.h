#pragma once
// The test's own folder (each test process starts in a fresh one) and files made in it.

#include "platform/base/FileApi.h"
#include "platform/base/PathApi.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace testing_support {

// The current folder, where the tests make their files.
inline std::string CurrentDirectory()
{
    char buffer[MAX_PATH] {};
    GetCurrentDirectory(MAX_PATH, buffer);
    return buffer;
}

// Makes an empty file there; failing to fails the test.
inline void Touch(const char* path)
{
    FILE* file = platform::OpenFile(path, "wb");
    ASSERT_NE(file, nullptr) << path;
    std::fclose(file);
}

} // namespace testing_support
