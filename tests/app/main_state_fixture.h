// A main window's state over a fresh data folder, fake platform and empty
// libraries, for the tests of its commands.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/main_state.h"
#include "common/file_io.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {

using testing::FakePlatform;
using testing::TempDir;

class MainStateTest : public ::testing::Test {
 protected:
  MainStateTest() : blocks(dir.path()), state(dir.path(), fake.platform(), cables, blocks) {}

  std::string ProjectPath(const char* name) { return PathToUtf8(dir / name); }

  TempDir dir;
  FakePlatform fake;
  CableLibrary cables;
  BlockLibrary blocks;
  MainState state;
};

}  // namespace luch
