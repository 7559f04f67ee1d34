// The copy engine behind SHFileOperation (not part of the interface): plans
// the copy of the expanded sources into a folder, refuses a folder into
// itself before anything is written, then copies with copy_file_range,
// keeping permission bits (so read-only stays read-only) and times.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/shell/file_operation.h"

namespace platform::shell {

// What an overwrite question shows of both files.
struct FileFacts {
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // seconds since the Unix epoch
};
struct OverwriteQuestion {
  std::string target;  // Windows path of the existing file
  bool readOnly = false;
  FileFacts existing;
  FileFacts replacement;
};

// What the engine asks of the user interface.
class CopyObserver {
 public:
  virtual ~CopyObserver() = default;
  virtual OverwriteAnswer AskOverwrite(const OverwriteQuestion& question) = 0;
  virtual void ShowError(int code, const std::string& windowsPath) = 0;
  // Called often; false cancels the copy.
  virtual bool Progress(std::uint64_t done, std::uint64_t total, const std::string& name) = 0;
};

struct CopyOutcome {
  int code = 0;
  bool cancelled = false;  // the user cancelled or kept a file
};

// Copies every source (Windows paths, wildcards in the last component)
// into the destination folder.
CopyOutcome CopyIntoFolder(const std::vector<std::string>& sources, const std::string& destination,
                           bool confirmOverwrite, CopyObserver& observer);

}  // namespace platform::shell
