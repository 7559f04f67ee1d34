// Archive type by extension.
#include <gtest/gtest.h>

#include "archive/ArchiveDetect.h"

namespace archive {
namespace {

TEST(ArchiveTypeFromExt, MapsExtensionsIgnoringCase) {
  EXPECT_EQ(ArchiveTypeFromExt(""), atNone);
  EXPECT_EQ(ArchiveTypeFromExt("C:\\cd\\a.Lzh"), atLha);
  EXPECT_EQ(ArchiveTypeFromExt("archive.tar.gz"), atTar);
  EXPECT_EQ(ArchiveTypeFromExt("x.CAB"), atCab);
  for (const char* tar : {"a.tar", "a.taz", "a.Z", "a.tgz", "a.bz2"})
    EXPECT_EQ(ArchiveTypeFromExt(tar), atTar) << tar;
  EXPECT_EQ(ArchiveTypeFromExt("a.arj"), atArj);
  EXPECT_EQ(ArchiveTypeFromExt("a.rar"), atRar);
  EXPECT_EQ(ArchiveTypeFromExt("a.zip"), atZip);
  EXPECT_EQ(ArchiveTypeFromExt("a.gca"), atGca);
  EXPECT_EQ(ArchiveTypeFromExt("a.bza"), atBga);
  EXPECT_EQ(ArchiveTypeFromExt("a.GZA"), atBga);
  EXPECT_EQ(ArchiveTypeFromExt("a.yz1"), atYz1);
  EXPECT_EQ(ArchiveTypeFromExt("a.exe"), atNone);
  EXPECT_EQ(ArchiveTypeFromExt("a.7z"), atNone);
}

TEST(ArchiveTypeFromExt, NoExtensionIsBelAndABareDotIsNothing) {
  EXPECT_EQ(ArchiveTypeFromExt("C:\\cd\\data"), atBel);
  EXPECT_EQ(ArchiveTypeFromExt("x."), atNone);
  // A dot in a folder name is no extension of the file.
  EXPECT_EQ(ArchiveTypeFromExt("C:\\v1.zip\\data"), atBel);
  EXPECT_EQ(ArchiveTypeFromExt("/media/cd.lzh/data"), atBel);
  EXPECT_EQ(ArchiveFileExt("C:\\a.b\\c.tar.gz"), ".gz");
  EXPECT_EQ(ArchiveFileExt("C:\\a.b\\c"), "");
}

}  // namespace
}  // namespace archive
