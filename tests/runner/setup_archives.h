// Archives for the setup tests.
#pragma once

#include "archive_writer.h"

namespace tobrinplay::testing {

using tobrin_test::ArchiveEntry;
using tobrin_test::WriteArchive;

}  // namespace tobrinplay::testing
