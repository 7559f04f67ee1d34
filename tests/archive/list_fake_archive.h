// An archiver binding held in memory: members, totals and answers that a
// test sets, for driving the member lists without a library.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "archive/ArchiveInterface.h"

namespace archive_test {

struct FakeMember {
  std::string path;  // CP932 bytes, as a library reports them
  std::uint32_t size = 0;
  std::uint32_t compressed = 0;
  std::uint16_t ratio = 0;
  std::uint16_t date = 0;
  std::uint16_t time = 0;
  std::string attributeText;
  int attribute = 0;
};

class FakeArchive : public archive::ITarArchive {
 public:
  std::vector<FakeMember> members;
  int fileCount = -2;  // -2: the number of members
  std::uint64_t arcOriginal = 0;
  std::uint64_t arcCompressed = 0;
  std::uint16_t version = 300;
  bool running = false;
  int tarType = 1;
  int commandResult = 0;
  // What the test can look at afterwards.
  int opens = 0;
  int closes = 0;
  std::vector<std::string> commands;
  bool cursorMode = true;

  std::uint16_t GetVersion() override { return version; }
  bool GetRunning() override { return running; }
  bool GetBackGroundMode() override { return false; }
  bool SetBackGroundMode(bool) override { return false; }
  bool GetCursorMode() override { return cursorMode; }
  bool SetCursorMode(bool mode) override {
    cursorMode = mode;
    return true;
  }
  std::uint16_t GetCursorInterval() override { return 0; }
  bool SetCursorInterval(std::uint16_t) override { return false; }
  int Execute(ARC_HWND, std::string_view commandLine, char*, std::uint32_t) override {
    commands.emplace_back(commandLine);
    return commandResult;
  }
  bool CheckArchive(std::string_view, int) override { return true; }
  int GetFileCount(std::string_view) override {
    return fileCount == -2 ? static_cast<int>(members.size()) : fileCount;
  }
  int ConfigDialog(ARC_HWND, char*, int) override { return 0; }
  bool QueryFunctionList(int) override { return false; }
  bool SetOwnerWindow(ARC_HWND) override { return false; }
  bool ClearOwnerWindow() override { return false; }
  bool SetOwnerWindowEx(ARC_HWND, ARCHIVERPROC) override { return true; }
  bool KillOwnerWindowEx(ARC_HWND) override { return true; }
  HARC OpenArchive(ARC_HWND, std::string_view, std::uint32_t) override {
    ++opens;
    return reinterpret_cast<HARC>(this);
  }
  int CloseArchive(HARC) override {
    ++closes;
    return 0;
  }
  int FindFirst(HARC, std::string_view wildName, INDIVIDUALINFO* info) override {
    mask_ = std::string(wildName);
    next_ = 0;
    return FindNext(nullptr, info);
  }
  int FindNext(HARC, INDIVIDUALINFO* info) override {
    while (next_ < members.size()) {
      const FakeMember& m = members[next_++];
      if (!Matches(m.path)) continue;
      *info = INDIVIDUALINFO{};
      info->dwOriginalSize = m.size;
      info->dwCompressedSize = m.compressed;
      info->wRatio = m.ratio;
      info->wDate = m.date;
      info->wTime = m.time;
      std::memcpy(info->szFileName, m.path.data(), std::min<std::size_t>(m.path.size(), 512));
      std::memcpy(info->szAttribute, m.attributeText.data(),
                  std::min<std::size_t>(m.attributeText.size(), 8));
      current_ = &m;
      return 0;
    }
    return -1;
  }
  int GetArcFileName(HARC, char*, int) override { return -1; }
  std::uint64_t GetArcFileSize(HARC) override { return 0; }
  std::uint64_t GetArcOriginalSize(HARC) override { return arcOriginal; }
  std::uint64_t GetArcCompressedSize(HARC) override { return arcCompressed; }
  std::uint16_t GetArcRatio(HARC) override { return 0; }
  std::uint16_t GetArcDate(HARC) override { return 0; }
  std::uint16_t GetArcTime(HARC) override { return 0; }
  bool GetArcWriteTimeEx(HARC, ArcFileTime*) override { return false; }
  bool GetArcCreateTimeEx(HARC, ArcFileTime*) override { return false; }
  bool GetArcAccessTimeEx(HARC, ArcFileTime*) override { return false; }
  std::uint32_t GetArcOSType(HARC) override { return 0; }
  int IsSFXFile(HARC) override { return 0; }
  int GetFileName(HARC, char*, int) override { return -1; }
  int GetMethod(HARC, char*, int) override { return -1; }
  std::uint64_t GetOriginalSize(HARC) override { return 0; }
  std::uint64_t GetCompressedSize(HARC) override { return 0; }
  std::uint16_t GetRatio(HARC) override { return 0; }
  std::uint16_t GetDate(HARC) override { return 0; }
  std::uint16_t GetTime(HARC) override { return 0; }
  std::uint32_t GetWriteTime(HARC) override { return 0; }
  std::uint32_t GetAccessTime(HARC) override { return 0; }
  std::uint32_t GetCreateTime(HARC) override { return 0; }
  bool GetWriteTimeEx(HARC, ArcFileTime*) override { return false; }
  bool GetCreateTimeEx(HARC, ArcFileTime*) override { return false; }
  bool GetAccessTimeEx(HARC, ArcFileTime*) override { return false; }
  std::uint32_t GetCRC(HARC) override { return 0; }
  int GetAttribute(HARC) override { return current_ ? current_->attribute : -1; }
  std::uint32_t GetOSType(HARC) override { return 0; }
  archive::DllModule GetDllHandle() override { return this; }
  int TarExtractMem(ARC_HWND, std::string_view, void*, std::uint32_t, std::int64_t*, std::uint16_t*,
                    std::uint32_t*) override {
    return -1;
  }
  int TarCompressMem(ARC_HWND, std::string_view, const void*, std::uint32_t, const std::int64_t*,
                     const std::uint16_t*, std::uint32_t*) override {
    return -1;
  }
  int TarGetArchiveType(std::string_view) override { return tarType; }

 private:
  // "*" and "*.*" match every member, "*.ext" those ending in ".ext",
  // anything else the member of exactly that path.
  bool Matches(const std::string& path) const {
    if (mask_ == "*" || mask_ == "*.*") return true;
    if (mask_.size() > 1 && mask_[0] == '*') {
      const std::string tail = mask_.substr(1);
      return path.size() >= tail.size() &&
             path.compare(path.size() - tail.size(), tail.size(), tail) == 0;
    }
    return path == mask_;
  }

  std::string mask_;
  std::size_t next_ = 0;
  const FakeMember* current_ = nullptr;
};

}  // namespace archive_test
