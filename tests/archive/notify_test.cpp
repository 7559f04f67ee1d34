// The registered progress message.
#include <gtest/gtest.h>

#include "archive/ArchiveNotify.h"

namespace archive {
namespace {

TEST(ArcExtractMessage, OneIdentifierPerName) {
  EXPECT_GE(ArcExtractMessage, 0xC000u);
  EXPECT_EQ(RegisterArcMessage("wm_arcextract"), ArcExtractMessage);
  std::uint32_t other = RegisterArcMessage("tobrin_test_message");
  EXPECT_GE(other, 0xC000u);
  EXPECT_NE(other, ArcExtractMessage);
  EXPECT_EQ(RegisterArcMessage("tobrin_test_message"), other);
}

}  // namespace
}  // namespace archive
