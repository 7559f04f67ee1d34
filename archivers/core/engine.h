// One archiver library: the state behind its exports (running flag, cursor
// mode, owner window, open archive handles) and its commands.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "archivers/arcapi.h"
#include "archivers/core/cmdline.h"
#include "archivers/core/member_store.h"
#include "archivers/core/reader.h"
#include "archivers/core/safe_extract.h"

namespace archivers {

struct FormatSpec {
  FormatKind kind;
  std::uint16_t version;
  bool takesWord;      // the command line starts with a command word ("e", "l")
  bool compresses;     // offers compress (and delete, for zip)
  const char* method;  // method text of the member record
};

// What a parsed command asks for, by the library's switch conventions.
struct CommandPlan {
  enum class Kind { Extract, List, Test, Compress, Delete, Unsupported } kind = Kind::Unsupported;
  bool keepFolders = true;
  OverwriteRule overwrite = OverwriteRule::Always;
  bool recurse = false;       // compress: descend into folders
  bool includeHidden = true;  // compress: names starting with "."
  bool brackets = false;      // compress: "[...]" sets in names (zip)
  int level = 6;
  enum class Filter { None, Gzip, Bzip2 } filter = Filter::None;
};
CommandPlan PlanCommand(const FormatSpec& spec, const ParsedCommand& command);

struct ArcHandleData;

class Engine {
 public:
  explicit Engine(const FormatSpec& spec) : spec_(spec) {}

  std::uint16_t GetVersion() const { return spec_.version; }
  int GetRunning() const { return running_.load() ? 1 : 0; }
  int GetBackGroundMode() const { return backgroundMode_; }
  int SetBackGroundMode(int mode);
  int GetCursorMode() const { return cursorMode_; }
  int SetCursorMode(int mode);
  std::uint16_t GetCursorInterval() const { return cursorInterval_; }
  int SetCursorInterval(std::uint16_t interval);

  int Command(ARC_HWND owner, const char* cmdLine, char* output, std::uint32_t size);
  int CheckArchive(const char* archive, int mode);
  int GetFileCount(const char* archive);
  int QueryFunctionList(int function) const;

  int SetOwnerWindow(ARC_HWND window);
  int ClearOwnerWindow();
  int SetOwnerWindowEx(ARC_HWND window, ARCHIVERPROC proc);
  int KillOwnerWindowEx(ARC_HWND window);

  HARC OpenArchive(ARC_HWND owner, const char* archive, std::uint32_t mode);
  int CloseArchive(HARC arc);
  int FindFirst(HARC arc, const char* wildName, INDIVIDUALINFO* info);
  int FindNext(HARC arc, INDIVIDUALINFO* info);

  int GetArcFileName(HARC arc, char* buffer, int size);
  bool GetArcSizes(HARC arc, std::uint64_t& file, std::uint64_t& original,
                   std::uint64_t& compressed);
  std::uint16_t GetArcRatio(HARC arc);
  bool GetArcTimes(HARC arc, std::int64_t& write, std::int64_t& create, std::int64_t& access);
  int IsSFXFile(HARC arc);

  // The member FindFirst/FindNext found last; nullptr when none.
  const Member* Current(HARC arc);
  int GetFileName(HARC arc, char* buffer, int size);
  int GetMethod(HARC arc, char* buffer, int size);

  int TarGetArchiveType(const char* archive);

 private:
  struct OwnerWindow {
    ARC_HWND window = nullptr;
    ARCHIVERPROC proc = nullptr;
  };
  // Sends "wm_arcextract" to the registered window while a command runs.
  class Progress {
   public:
    Progress(OwnerWindow owner, bool compressing) : owner_(owner), compressing_(compressing) {}
    bool active() const { return owner_.window != nullptr || owner_.proc != nullptr; }

    // True when the window asks to cancel.
    bool Send(std::uint32_t state, const std::string& cp932Name, std::uint64_t size,
              std::uint64_t written) {
      if (!active()) return false;
      EXTRACTINGINFO info{};
      info.dwFileSize = size > 0xFFFFFFFFULL ? 0xFFFFFFFFU : static_cast<std::uint32_t>(size);
      info.dwWriteSize =
          written > 0xFFFFFFFFULL ? 0xFFFFFFFFU : static_cast<std::uint32_t>(written);
      CopyName(cp932Name, compressing_ ? info.szDestFileName : info.szSourceFileName,
               sizeof info.szSourceFileName);
      CopyName(cp932Name, compressing_ ? info.szSourceFileName : info.szDestFileName,
               sizeof info.szSourceFileName);
      bool cancel = false;
      std::uint32_t message = owner_.window != nullptr ? owner_.window->message : 0;
      if (owner_.window != nullptr && owner_.window->callback != nullptr) {
        cancel = owner_.window->callback(owner_.window->context, message, state, &info) != 0;
      }
      if (!cancel && owner_.proc != nullptr) {
        cancel = owner_.proc(owner_.window, message, state, &info) == 0;
      }
      return cancel;
    }

   private:
    static void CopyName(const std::string& text, char* buffer, std::size_t size) {
      std::size_t n = std::min(text.size(), size - 1);
      // Never end on a lead byte whose trail byte was cut off.
      std::size_t pos = 0;
      while (pos < n)
        pos += (static_cast<unsigned char>(text[pos]) >= 0x81 &&
                static_cast<unsigned char>(text[pos]) <= 0x9F) ||
                       static_cast<unsigned char>(text[pos]) >= 0xE0
                   ? 2
                   : 1;
      if (pos > n) n = pos - 2;
      std::memcpy(buffer, text.data(), n);
      buffer[n] = '\0';
    }

    OwnerWindow owner_;
    bool compressing_;
  };
  class RunningFlag;

  ArcHandleData* Lookup(HARC arc);
  struct MemberCache;
  // The members of an archive, from the cache while the file is unchanged;
  // nullptr when it cannot be read.
  std::shared_ptr<const MemberStore> ReadMembers(const std::string& posixPath);
  bool ScanMembers(const std::string& posixPath, MemberStore& members);
  static std::optional<MemberCache> CacheKey(const std::string& posixPath);
  int FindMatch(ArcHandleData& data, INDIVIDUALINFO* info);
  void FillInfo(const Member& member, INDIVIDUALINFO& info) const;

  int RunCommand(const ParsedCommand& command, std::string& log);
  int Extract(const ParsedCommand& command, const CommandPlan& plan, std::string& log);
  int ExtractFile(ArchiveReader& reader, const Entry& entry, const std::vector<std::string>& parts,
                  const CommandPlan& plan, SafeExtractor& out, Progress& progress,
                  const std::string& name, std::string& log);
  bool Fits(const std::string& archivePath, const std::vector<std::string>& masks,
            const std::string& basePath, std::string& log);
  int MakeSymlink(const Entry& entry, const std::vector<std::string>& parts,
                  const CommandPlan& plan, SafeExtractor& out, std::string& log);
  int ListOrTest(const ParsedCommand& command, bool test, std::string& log);
  int Compress(const ParsedCommand& command, const CommandPlan& plan, std::string& log);
  int Delete(const ParsedCommand& command, std::string& log);
  // Masks of the command (inline names and response files), UTF-8; false
  // when a response file cannot be read.
  bool CollectNames(const ParsedCommand& command, std::vector<std::string>& names);

  FormatSpec spec_;
  std::atomic<bool> running_{false};
  int backgroundMode_ = 0;
  int cursorMode_ = 1;
  std::uint16_t cursorInterval_ = 80;
  std::mutex mutex_;  // guards owner_ and handles_, never held across callbacks
  struct MemberCache {
    std::string path;
    std::uint64_t size;
    std::int64_t mtime;
    long mtimeNsec;
    std::uint64_t inode;
    std::shared_ptr<const MemberStore> members;
    bool SameFile(const MemberCache& o) const {
      return path == o.path && size == o.size && mtime == o.mtime && mtimeNsec == o.mtimeNsec &&
             inode == o.inode;
    }
  };

  OwnerWindow owner_;
  std::set<ArcHandleData*> handles_;
  std::optional<MemberCache> cache_;
};

// The library's one engine; each library defines it with its format.
Engine& TheEngine();

}  // namespace archivers
