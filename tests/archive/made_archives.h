// Small archives made in memory for the tests (libarchive lives in its own
// file: its global `struct archive` hides our namespace of that name).
#pragma once

#include <string>

namespace made_archives {

// One member "hello.txt" holding "hello\n".
std::string Zip();
std::string TarGz();

}  // namespace made_archives
