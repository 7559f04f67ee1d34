// Types shared by the archive components and their users.
#pragma once

namespace archive {

enum TArchiveType : int {
  atNone,
  atLha,
  atCab,
  atTar,
  atArj,
  atRar,
  atZip,
  atYz1,
  atGca,
  atBga,
  atBel
};
inline constexpr int ArchiveTypeCount = atBel + 1;

// The operation of one archiver command. Values above aoList may reach the
// option classes; they get only the format's common switches.
enum TArcOperation : int {
  aoCompress = 0,
  aoExtract = 1,
  aoDelete = 2,
  aoTest = 3,
  aoMakeSfx = 4,
  aoList = 5
};

}  // namespace archive
