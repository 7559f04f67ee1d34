// Writing members below a base folder and nowhere else: folders are walked
// one component at a time with O_NOFOLLOW, so neither ".." nor a link (made
// by the archive or found on disk) can lead outside.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace archivers {

enum class OverwriteRule { Always, Never, IfNewer };

// Bytes free for an unprivileged user on the file system that holds the
// path, or of its nearest existing folder; false when nothing tells.
bool FreeSpaceAt(const std::string& posixPath, std::uint64_t& bytes, std::uint64_t& blockSize);

class SafeExtractor {
 public:
  // Opens (creating when missing) the base folder; check ok().
  explicit SafeExtractor(const std::string& basePosixPath);
  ~SafeExtractor();
  SafeExtractor(const SafeExtractor&) = delete;
  SafeExtractor& operator=(const SafeExtractor&) = delete;

  bool ok() const { return baseFd_ >= 0; }

  // A member file being written: under its own name when it is new; beside
  // an existing file under a spare name until it is complete, so a failed
  // member never costs the file it was to replace.
  struct OpenFile {
    int fd = -1;
    int folder = -1;
    std::string name;
    std::string spare;  // empty when written under the name itself
  };
  enum class Outcome { Created, Skipped, Failed };
  // Creates the file for writing; `file` is open when Created.
  Outcome CreateFile(const std::vector<std::string>& parts, unsigned mode, std::int64_t mtime,
                     OverwriteRule rule, OpenFile& file);
  // Completes a file made by CreateFile: the size of a sparse one (0 for
  // others), times, permissions, then its name. False leaves nothing.
  bool FinishFile(OpenFile& file, std::uint64_t sparseSize, unsigned mode, std::int64_t mtime,
                  long mtimeNsec);
  // Removes what was written; a file it was to replace stays as it was.
  void DiscardFile(OpenFile& file);
  bool MakeDirectory(const std::vector<std::string>& parts);
  bool MakeHardLink(const std::vector<std::string>& parts,
                    const std::vector<std::string>& targetParts, OverwriteRule rule);
  // A symbolic link with the given target, which the caller has checked;
  // it replaces a file or link of that name, never a folder.
  Outcome MakeSymlink(const std::vector<std::string>& parts, const std::string& target,
                      std::int64_t mtime, OverwriteRule rule);

 private:
  // The folder that holds the last component, created when missing.
  int ParentFolder(const std::vector<std::string>& parts);
  int OpenFolderChain(const std::vector<std::string>& parts, std::size_t count);
  void ForgetCachedFolder();

  int baseFd_ = -1;
  std::vector<std::string> cachedPath_;
  int cachedFd_ = -1;
};

}  // namespace archivers
