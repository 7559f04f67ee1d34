// Skips a test whose archiver library has not been built in this tree.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#define TOBRIN_REQUIRE_ARCHIVER(dll)                                               \
  do {                                                                             \
    if (!std::filesystem::exists(std::filesystem::path(TOBRIN_BIN_DIR) / (dll))) { \
      GTEST_SKIP() << (dll) << " is not built";                                    \
    }                                                                              \
  } while (false)
