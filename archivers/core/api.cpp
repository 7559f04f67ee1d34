#include "archivers/core/api.h"

#include <sys/stat.h>

#include <utility>

#include "archivers/core/engine.h"
#include "archivers/core/names.h"
#include "platform/files/files.h"

namespace archivers::api {

namespace {

template <typename R, typename F>
R Guarded(R fallback, F&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return fallback;
  }
}

constexpr std::uint32_t kNoSize = 0xFFFFFFFFU;

std::uint32_t Clamp32(std::uint64_t value) {
  return value > 0xFFFFFFFFULL ? 0xFFFFFFFFU : static_cast<std::uint32_t>(value);
}

int PutFileTime(ArcFileTime* out, std::int64_t unixTime, long nsec) {
  if (out == nullptr) return 0;
  std::uint64_t ticks = ToFileTime(unixTime, nsec);
  out->dwLowDateTime = static_cast<std::uint32_t>(ticks);
  out->dwHighDateTime = static_cast<std::uint32_t>(ticks >> 32);
  return 1;
}

// Archive-wide sizes: 0 file, 1 original, 2 compressed.
bool ArcSize(HARC arc, int which, std::uint64_t& size) {
  std::uint64_t sizes[3] = {};
  if (!TheEngine().GetArcSizes(arc, sizes[0], sizes[1], sizes[2])) return false;
  size = sizes[which];
  return true;
}

template <typename F>
auto WithMember(HARC arc, decltype(std::declval<F>()(std::declval<const Member&>())) fallback,
                F&& f) {
  return Guarded(fallback, [&] {
    const Member* m = TheEngine().Current(arc);
    return m != nullptr ? f(*m) : fallback;
  });
}

std::uint16_t ArcDosPart(HARC arc, bool date) {
  return Guarded<std::uint16_t>(0xFFFF, [&]() -> std::uint16_t {
    std::int64_t write = 0, create = 0, access = 0;
    if (!TheEngine().GetArcTimes(arc, write, create, access)) return 0xFFFF;
    std::uint16_t d = 0, t = 0;
    ToDosDateTime(write, d, t);
    return date ? d : t;
  });
}

int ArcTime(HARC arc, ArcFileTime* time, int which) {
  return Guarded(0, [&] {
    std::int64_t times[3] = {};
    if (!TheEngine().GetArcTimes(arc, times[0], times[1], times[2])) return 0;
    return PutFileTime(time, times[which], 0);
  });
}

}  // namespace

std::uint16_t GetVersion() { return TheEngine().GetVersion(); }
int GetRunning() { return TheEngine().GetRunning(); }
int GetBackGroundMode() { return TheEngine().GetBackGroundMode(); }
int SetBackGroundMode(int mode) { return TheEngine().SetBackGroundMode(mode); }
int GetCursorMode() { return TheEngine().GetCursorMode(); }
int SetCursorMode(int mode) { return TheEngine().SetCursorMode(mode); }
std::uint16_t GetCursorInterval() { return TheEngine().GetCursorInterval(); }
int SetCursorInterval(std::uint16_t interval) { return TheEngine().SetCursorInterval(interval); }

int Command(ARC_HWND owner, const char* cmdLine, char* output, std::uint32_t size) {
  // A member past the host's file-size limit ends the command as a full
  // disk does, with its partial file removed, not the host.
  platform::files::FailWritesPastTheFileSizeLimit();
  return Guarded<int>(ERROR_NOT_SUPPORT,
                      [&] { return TheEngine().Command(owner, cmdLine, output, size); });
}

int CheckArchive(const char* archive, int mode) {
  return Guarded(0, [&] { return TheEngine().CheckArchive(archive, mode); });
}

int GetFileCount(const char* archive) {
  return Guarded(-1, [&] { return TheEngine().GetFileCount(archive); });
}

int ConfigDialog(ARC_HWND, char*, int) { return 0; }  // no settings dialog
int QueryFunctionList(int function) { return TheEngine().QueryFunctionList(function); }
int SetOwnerWindow(ARC_HWND window) { return TheEngine().SetOwnerWindow(window); }
int ClearOwnerWindow() { return TheEngine().ClearOwnerWindow(); }
int SetOwnerWindowEx(ARC_HWND window, ARCHIVERPROC proc) {
  return TheEngine().SetOwnerWindowEx(window, proc);
}
int KillOwnerWindowEx(ARC_HWND window) { return TheEngine().KillOwnerWindowEx(window); }

HARC OpenArchive(ARC_HWND owner, const char* archive, std::uint32_t mode) {
  return Guarded<HARC>(nullptr, [&] { return TheEngine().OpenArchive(owner, archive, mode); });
}

int CloseArchive(HARC arc) {
  return Guarded<int>(ERROR_HARC_ISNOT_OPENED, [&] { return TheEngine().CloseArchive(arc); });
}

int FindFirst(HARC arc, const char* wildName, INDIVIDUALINFO* info) {
  return Guarded<int>(ERROR_HARC_ISNOT_OPENED,
                      [&] { return TheEngine().FindFirst(arc, wildName, info); });
}

int FindNext(HARC arc, INDIVIDUALINFO* info) {
  return Guarded<int>(ERROR_HARC_ISNOT_OPENED, [&] { return TheEngine().FindNext(arc, info); });
}

int GetArcFileName(HARC arc, char* buffer, int size) {
  return Guarded<int>(ERROR_HARC_ISNOT_OPENED,
                      [&] { return TheEngine().GetArcFileName(arc, buffer, size); });
}

std::uint32_t GetArcFileSize(HARC arc) {
  return Guarded(kNoSize, [&] {
    std::uint64_t size = 0;
    return ArcSize(arc, 0, size) ? Clamp32(size) : kNoSize;
  });
}
std::uint32_t GetArcOriginalSize(HARC arc) {
  return Guarded(kNoSize, [&] {
    std::uint64_t size = 0;
    return ArcSize(arc, 1, size) ? Clamp32(size) : kNoSize;
  });
}
std::uint32_t GetArcCompressedSize(HARC arc) {
  return Guarded(kNoSize, [&] {
    std::uint64_t size = 0;
    return ArcSize(arc, 2, size) ? Clamp32(size) : kNoSize;
  });
}
int GetArcFileSizeEx(HARC arc, std::uint64_t* size) {
  return Guarded(0, [&] { return size != nullptr && ArcSize(arc, 0, *size) ? 1 : 0; });
}
int GetArcOriginalSizeEx(HARC arc, std::uint64_t* size) {
  return Guarded(0, [&] { return size != nullptr && ArcSize(arc, 1, *size) ? 1 : 0; });
}
int GetArcCompressedSizeEx(HARC arc, std::uint64_t* size) {
  return Guarded(0, [&] { return size != nullptr && ArcSize(arc, 2, *size) ? 1 : 0; });
}

std::uint16_t GetArcRatio(HARC arc) {
  return Guarded<std::uint16_t>(0xFFFF, [&] { return TheEngine().GetArcRatio(arc); });
}
std::uint16_t GetArcDate(HARC arc) { return ArcDosPart(arc, true); }
std::uint16_t GetArcTime(HARC arc) { return ArcDosPart(arc, false); }
int GetArcWriteTimeEx(HARC arc, ArcFileTime* time) { return ArcTime(arc, time, 0); }
int GetArcCreateTimeEx(HARC arc, ArcFileTime* time) { return ArcTime(arc, time, 1); }
int GetArcAccessTimeEx(HARC arc, ArcFileTime* time) { return ArcTime(arc, time, 2); }
std::uint32_t GetArcOSType(HARC) { return 0; }

int IsSFXFile(HARC arc) {
  return Guarded(-1, [&] { return TheEngine().IsSFXFile(arc); });
}

int GetFileName(HARC arc, char* buffer, int size) {
  return Guarded<int>(ERROR_HARC_ISNOT_OPENED,
                      [&] { return TheEngine().GetFileName(arc, buffer, size); });
}

int GetMethod(HARC arc, char* buffer, int size) {
  return Guarded<int>(ERROR_HARC_ISNOT_OPENED,
                      [&] { return TheEngine().GetMethod(arc, buffer, size); });
}

std::uint32_t GetOriginalSize(HARC arc) {
  return WithMember(arc, kNoSize, [](const Member& m) { return Clamp32(m.size); });
}
std::uint32_t GetCompressedSize(HARC arc) {
  return WithMember(arc, kNoSize, [](const Member& m) { return Clamp32(m.compressedSize); });
}
int GetOriginalSizeEx(HARC arc, std::uint64_t* size) {
  return WithMember(arc, 0, [&](const Member& m) {
    if (size == nullptr) return 0;
    *size = m.size;
    return 1;
  });
}
int GetCompressedSizeEx(HARC arc, std::uint64_t* size) {
  return WithMember(arc, 0, [&](const Member& m) {
    if (size == nullptr) return 0;
    *size = m.compressedSize;
    return 1;
  });
}
std::uint16_t GetRatio(HARC arc) {
  return WithMember(arc, std::uint16_t{0xFFFF}, [](const Member& m) -> std::uint16_t {
    return m.size == 0 ? 0 : static_cast<std::uint16_t>(m.compressedSize * 1000 / m.size);
  });
}
std::uint16_t GetDate(HARC arc) {
  return WithMember(arc, std::uint16_t{0xFFFF}, [](const Member& m) {
    std::uint16_t d = 0, t = 0;
    ToDosDateTime(m.mtime, d, t);
    return d;
  });
}
std::uint16_t GetTime(HARC arc) {
  return WithMember(arc, std::uint16_t{0xFFFF}, [](const Member& m) {
    std::uint16_t d = 0, t = 0;
    ToDosDateTime(m.mtime, d, t);
    return t;
  });
}
std::uint32_t GetWriteTime(HARC arc) {
  return WithMember(arc, kNoSize,
                    [](const Member& m) { return static_cast<std::uint32_t>(m.mtime); });
}
std::uint32_t GetAccessTime(HARC arc) {
  return WithMember(arc, kNoSize,
                    [](const Member& m) { return static_cast<std::uint32_t>(m.atime); });
}
std::uint32_t GetCreateTime(HARC arc) {
  return WithMember(arc, kNoSize,
                    [](const Member& m) { return static_cast<std::uint32_t>(m.ctime); });
}
int GetWriteTimeEx(HARC arc, ArcFileTime* time) {
  return WithMember(arc, 0,
                    [&](const Member& m) { return PutFileTime(time, m.mtime, m.mtimeNsec); });
}
int GetCreateTimeEx(HARC arc, ArcFileTime* time) {
  return WithMember(arc, 0, [&](const Member& m) { return PutFileTime(time, m.ctime, 0); });
}
int GetAccessTimeEx(HARC arc, ArcFileTime* time) {
  return WithMember(arc, 0, [&](const Member& m) { return PutFileTime(time, m.atime, 0); });
}
std::uint32_t GetCRC(HARC arc) {
  return WithMember(arc, kNoSize, [](const Member&) { return std::uint32_t{0}; });
}
int GetAttribute(HARC arc) {
  return WithMember(arc, -1, [](const Member& m) { return static_cast<int>(m.Attributes()); });
}
std::uint32_t GetOSType(HARC arc) {
  return WithMember(arc, kNoSize, [](const Member&) { return std::uint32_t{0}; });
}

int NotSupportedMem() { return ERROR_NOT_SUPPORT; }

int TarGetArchiveType(const char* archive) {
  return Guarded(0, [&] { return TheEngine().TarGetArchiveType(archive); });
}

}  // namespace archivers::api
