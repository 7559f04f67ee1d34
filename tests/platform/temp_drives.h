// A scratch folder mapped as drives C: (home) and D: (disc) for one test.
#pragma once

#include <string>

#include "scratch_drives.h"

namespace tobrin_test {

class TempDrives : public ScratchDrives {
 public:
  TempDrives() : ScratchDrives({{'C', "home"}, {'D', "disc"}}) {}

  std::string Home() const { return Root() + "/home"; }
  std::string Disc() const { return Root() + "/disc"; }
};

}  // namespace tobrin_test
