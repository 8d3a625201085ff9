// Compares two byte strings and, when they differ, reports where rather than dumping
// kilobytes of text.
#pragma once

#include <gtest/gtest.h>

#include <string>

::testing::AssertionResult sameBytes(const std::string& actual, const std::string& expected);
