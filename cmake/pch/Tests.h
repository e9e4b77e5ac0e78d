// Test binaries add the test framework, which every test source includes.
#pragma once
#include "Standard.h"
#include <gmock/gmock.h>
#include <gtest/gtest.h>
