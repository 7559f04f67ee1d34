/*
 * A scriptable stand-in for archiver libraries, for the component tests.
 *
 * Built twice into build/bin:
 *   "Fake32.dll"      every export of the common interface, for every prefix
 *                     (Unlha, Cab, Tar, Unarj, Unrar, UnZip, Zip, Yz1, UnGCA,
 *                     Bga, Bel), plus TarGetArchiveType, the Yz1 password
 *                     functions and SetLangueJapanese/SetLangueEnglish;
 *   "FakeBare32.dll"  only the command entry ("Unlha") and "<Prefix>GetVersion"
 *                     of each prefix, to test the answers for missing exports.
 * A test copies one of them into a temporary folder under the name the
 * components load ("Unlha32.dll", ...). Copy, do not link: the loader
 * shares one loaded object per file, and each copy keeps its own state.
 *
 * The environment variable TOBRIN_FAKE_ARCHIVER names a script file, read
 * anew at every call. One setting per line, "#" starts a comment. Lines
 * before any section apply to every prefix; "[Unlha]" starts lines that
 * apply to that prefix only (later lines win).
 *   version N        GetVersion (default 100); GetSubVersion answers 0
 *   running 0|1      GetRunning (default 0; 1 also while a command runs)
 *   check 0|1        CheckArchive, and whether OpenArchive succeeds (default 1)
 *   result N         result of the command entry (default 0)
 *   count N          GetFileCount (default: the number of members)
 *   member NAME SIZE [ATTR] [COMPRESSED]
 *                    a member: UTF-8 name without blanks, "\" or "/" between
 *                    folders, Windows attributes in hex (default 20)
 *   progress 0|1     the command entry sends "wm_arcextract" to the window of
 *                    SetOwnerWindowEx for each member: BEGIN, INPROCESS at half
 *                    and at full size, END; a cancel answer stops it with
 *                    ERROR_USER_CANCEL
 *   delay MS         with progress: waits MS milliseconds before each member,
 *                    as a large extraction would
 *   sfx N            IsSFXFile (default 0)
 *   tartype N        TarGetArchiveType (default 1)
 *   log PATH         appends "<Prefix>: <command line>" for every command, and
 *                    "  <name>" for each name of its "@" response files
 * Without the variable the fake has no members and answers the defaults.
 */
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "archivers/arcapi.h"
#include "archivers/core/cmdline.h"
#include "archivers/core/names.h"

namespace fake {

struct FakeMember {
  std::string name;  // CP932, "\" between folders
  std::uint32_t size = 0;
  std::uint32_t compressed = 0;
  std::uint32_t attributes = 0x20;
};

struct Script {
  unsigned version = 100;
  int running = 0;
  int check = 1;
  int result = 0;
  int count = -2;  // -2: the number of members
  int sfx = 0;
  int tarType = 1;
  int progress = 0;
  int delay = 0;
  std::string log;
  std::vector<FakeMember> members;
};

void ApplyLine(Script& script, const std::string& line) {
  std::istringstream words(line);
  std::string key;
  words >> key;
  if (key == "version") words >> script.version;
  if (key == "running") words >> script.running;
  if (key == "check") words >> script.check;
  if (key == "result") words >> script.result;
  if (key == "count") words >> script.count;
  if (key == "sfx") words >> script.sfx;
  if (key == "tartype") words >> script.tarType;
  if (key == "progress") words >> script.progress;
  if (key == "delay") words >> script.delay;
  if (key == "log") std::getline(words >> std::ws, script.log);
  if (key == "member") {
    FakeMember m;
    std::string name, attributes;
    words >> name >> m.size;
    m.compressed = m.size;
    if (words >> attributes) m.attributes = std::stoul(attributes, nullptr, 16);
    words >> m.compressed;
    m.name = archivers::InterfaceMemberName(archivers::NormalizeMemberPath(name));
    script.members.push_back(m);
  }
}

Script Load(const std::string& prefix) {
  Script script;
  const char* path = std::getenv("TOBRIN_FAKE_ARCHIVER");
  if (path == nullptr) return script;
  std::ifstream in(path);
  std::string line;
  bool applies = true;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '[') {
      applies = line == "[" + prefix + "]";
    } else if (applies) {
      ApplyLine(script, line);
    }
  }
  return script;
}

struct Handle {
  std::string prefix;
  std::string archive;
  std::vector<FakeMember> members;
  std::string mask;
  std::size_t next = 0;
  const FakeMember* current = nullptr;
};

std::mutex mutex;
std::map<std::string, std::pair<ARC_HWND, ARCHIVERPROC>> owners;
std::set<std::string> runningPrefixes;
std::set<Handle*> handles;

Handle* Lookup(HARC arc) {
  std::lock_guard<std::mutex> lock(mutex);
  auto* h = reinterpret_cast<Handle*>(arc);
  return handles.count(h) != 0 ? h : nullptr;
}

void Log(const Script& script, const std::string& text) {
  if (script.log.empty()) return;
  std::ofstream out(script.log, std::ios::app | std::ios::binary);
  out << text << "\n";
}

void CopyText(const std::string& text, char* buffer, std::size_t size) {
  if (buffer == nullptr || size == 0) return;
  std::size_t n = std::min(text.size(), size - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
}

// True when the window or procedure asks to cancel.
bool Send(const std::string& prefix, std::uint32_t state, const FakeMember& m,
          std::uint32_t written) {
  std::pair<ARC_HWND, ARCHIVERPROC> owner{nullptr, nullptr};
  {
    std::lock_guard<std::mutex> lock(mutex);
    auto it = owners.find(prefix);
    if (it != owners.end()) owner = it->second;
  }
  EXTRACTINGINFO info{};
  info.dwFileSize = m.size;
  info.dwWriteSize = written;
  CopyText(m.name, info.szSourceFileName, sizeof info.szSourceFileName);
  CopyText(m.name, info.szDestFileName, sizeof info.szDestFileName);
  ARC_HWND w = owner.first;
  std::uint32_t message = w != nullptr ? w->message : 0;
  if (w != nullptr && w->callback != nullptr && w->callback(w->context, message, state, &info)) {
    return true;
  }
  return owner.second != nullptr && owner.second(w, message, state, &info) == 0;
}

int Command(const std::string& prefix, const char* cmdLine, char* output, std::uint32_t size) {
  Script script = Load(prefix);
  if (output != nullptr && size > 0) output[0] = '\0';
  std::string line = cmdLine != nullptr ? cmdLine : "";
  Log(script, prefix + ": " + line);
  archivers::ParsedCommand command = archivers::ParseCommandLine(line, false);
  for (const std::string& file : command.responseFiles) {
    std::ifstream in(archivers::InterfacePathToPosix(file), std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    for (const std::string& name : archivers::ParseResponseFile(content.str())) {
      Log(script, "  " + name);
    }
  }
  {
    std::lock_guard<std::mutex> lock(mutex);
    runningPrefixes.insert(prefix);
  }
  int result = script.result;
  if (script.progress) {
    for (const FakeMember& m : script.members) {
      std::this_thread::sleep_for(std::chrono::milliseconds(std::clamp(script.delay, 0, 60000)));
      if (Send(prefix, ARCEXTRACT_BEGIN, m, 0) ||
          Send(prefix, ARCEXTRACT_INPROCESS, m, m.size / 2) ||
          Send(prefix, ARCEXTRACT_INPROCESS, m, m.size) ||
          Send(prefix, ARCEXTRACT_END, m, m.size)) {
        result = ERROR_USER_CANCEL;
        break;
      }
    }
  }
  CopyText("fake " + prefix + "\r\n", output, size);
  std::lock_guard<std::mutex> lock(mutex);
  runningPrefixes.erase(prefix);
  return result;
}

int GetRunning(const std::string& prefix) {
  Script script = Load(prefix);
  std::lock_guard<std::mutex> lock(mutex);
  return script.running != 0 || runningPrefixes.count(prefix) != 0 ? 1 : 0;
}

HARC OpenArchive(const std::string& prefix, const char* archive) {
  if (archive == nullptr) return nullptr;
  Script script = Load(prefix);
  if (!script.check) return nullptr;
  auto* h = new Handle{prefix, archive, script.members, "", 0, nullptr};
  std::lock_guard<std::mutex> lock(mutex);
  handles.insert(h);
  return reinterpret_cast<HARC>(h);
}

int CloseArchive(HARC arc) {
  auto* h = reinterpret_cast<Handle*>(arc);
  {
    std::lock_guard<std::mutex> lock(mutex);
    if (handles.erase(h) == 0) return ERROR_HARC_ISNOT_OPENED;
  }
  delete h;
  return 0;
}

constexpr std::uint16_t kDate = (45 << 9) | (1 << 5) | 2;  // 2025-01-02
constexpr std::uint16_t kTime = (12 << 11) | (34 << 5) | 28;

void FillInfo(const FakeMember& m, INDIVIDUALINFO& info) {
  info = INDIVIDUALINFO{};
  info.dwOriginalSize = m.size;
  info.dwCompressedSize = m.compressed;
  info.wRatio =
      m.size == 0
          ? 0
          : static_cast<std::uint16_t>(static_cast<std::uint64_t>(m.compressed) * 1000 / m.size);
  info.wDate = kDate;
  info.wTime = kTime;
  CopyText(m.name, info.szFileName, sizeof info.szFileName);
  std::string attr = std::string(m.attributes & 0x20 ? "A" : "-") +
                     (m.attributes & 0x04 ? "S" : "-") + (m.attributes & 0x02 ? "H" : "-") +
                     (m.attributes & 0x01 ? "R" : "-");
  CopyText(attr, info.szAttribute, sizeof info.szAttribute);
  CopyText("-fk0-", info.szMode, sizeof info.szMode);
}

int FindFrom(Handle& h, std::size_t start, INDIVIDUALINFO* info) {
  for (std::size_t i = start; i < h.members.size(); ++i) {
    const FakeMember& m = h.members[i];
    std::string path = archivers::NormalizeMemberPath(archivers::ToUtf8(m.name));
    if (!archivers::MatchesMask(h.mask, path)) continue;
    h.next = i + 1;
    h.current = &m;
    if (info != nullptr) FillInfo(m, *info);
    return 0;
  }
  h.current = nullptr;
  return -1;
}

int FindFirst(HARC arc, const char* wild, INDIVIDUALINFO* info) {
  Handle* h = Lookup(arc);
  if (h == nullptr) return ERROR_HARC_ISNOT_OPENED;
  h->mask = wild != nullptr && *wild != '\0' ? archivers::ToUtf8(wild) : "*";
  return FindFrom(*h, 0, info);
}

int FindNext(HARC arc, INDIVIDUALINFO* info) {
  Handle* h = Lookup(arc);
  if (h == nullptr) return ERROR_HARC_ISNOT_OPENED;
  return FindFrom(*h, h->next, info);
}

std::uint64_t Total(Handle& h, bool compressed) {
  std::uint64_t total = 0;
  for (const FakeMember& m : h.members) total += compressed ? m.compressed : m.size;
  return total;
}

std::uint64_t ArchiveFileSize(Handle& h) {
  struct stat st {};
  return stat(archivers::InterfacePathToPosix(h.archive).c_str(), &st) == 0
             ? static_cast<std::uint64_t>(st.st_size)
             : 0;
}

// Archive-wide size: 0 file, 1 original, 2 compressed.
bool ArcSize(HARC arc, int which, std::uint64_t& size) {
  Handle* h = Lookup(arc);
  if (h == nullptr) return false;
  size = which == 0 ? ArchiveFileSize(*h) : Total(*h, which == 2);
  return true;
}

std::uint32_t ArcSize32(HARC arc, int which) {
  std::uint64_t size = 0;
  if (!ArcSize(arc, which, size)) return 0xFFFFFFFFU;
  return size > 0xFFFFFFFFULL ? 0xFFFFFFFFU : static_cast<std::uint32_t>(size);
}

int ArcSizeEx(HARC arc, int which, std::uint64_t* size) {
  return size != nullptr && ArcSize(arc, which, *size) ? 1 : 0;
}

const FakeMember* Current(HARC arc) {
  Handle* h = Lookup(arc);
  return h != nullptr ? h->current : nullptr;
}

int PutTime(ArcFileTime* t) {
  if (t == nullptr) return 0;
  std::uint64_t ticks = archivers::ToFileTime(1735821268);
  t->dwLowDateTime = static_cast<std::uint32_t>(ticks);
  t->dwHighDateTime = static_cast<std::uint32_t>(ticks >> 32);
  return 1;
}

int SetOwner(const std::string& prefix, ARC_HWND window, ARCHIVERPROC proc) {
  std::lock_guard<std::mutex> lock(mutex);
  owners[prefix] = {window, proc};
  return 1;
}

int ClearOwner(const std::string& prefix) {
  std::lock_guard<std::mutex> lock(mutex);
  owners.erase(prefix);
  return 1;
}

int KillOwner(const std::string& prefix, ARC_HWND window) {
  std::lock_guard<std::mutex> lock(mutex);
  auto it = owners.find(prefix);
  if (it == owners.end() || it->second.first != window) return 0;
  owners.erase(it);
  return 1;
}

int CopyMethod(HARC arc, char* buffer, int size) {
  if (Current(arc) == nullptr || size <= 0) return -1;
  CopyText("-fk0-", buffer, static_cast<std::size_t>(size));
  return 0;
}

int CopyName(HARC arc, char* buffer, int size, bool archive) {
  Handle* h = Lookup(arc);
  if (h == nullptr || size <= 0 || (!archive && h->current == nullptr)) return -1;
  CopyText(archive ? h->archive : h->current->name, buffer, static_cast<std::size_t>(size));
  return 0;
}

}  // namespace fake

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

// clang-format off
#define FAKE_BARE(P) \
  FAKE_EXPORT int P(ARC_HWND, const char* cmd, char* out, uint32_t size) { \
    try { return fake::Command(#P, cmd, out, size); } catch (...) { return ERROR_NOT_SUPPORT; } } \
  FAKE_EXPORT uint16_t P##GetVersion(void) { \
    try { return static_cast<uint16_t>(fake::Load(#P).version); } catch (...) { return 0; } }

#define FAKE_MEMBER(P, name, type, fallback, expr) \
  FAKE_EXPORT type P##name(HARC h) { const fake::FakeMember* m = fake::Current(h); \
    return m != nullptr ? static_cast<type>(expr) : static_cast<type>(fallback); }

#define FAKE_FULL(P) \
  FAKE_BARE(P) \
  FAKE_EXPORT int P##GetRunning(void) { return fake::GetRunning(#P); } \
  FAKE_EXPORT uint16_t P##GetSubVersion(void) { return 0; } \
  FAKE_EXPORT int P##GetBackGroundMode(void) { return 0; } \
  FAKE_EXPORT int P##SetBackGroundMode(int) { return 1; } \
  FAKE_EXPORT int P##GetCursorMode(void) { return 1; } \
  FAKE_EXPORT int P##SetCursorMode(int) { return 1; } \
  FAKE_EXPORT uint16_t P##GetCursorInterval(void) { return 80; } \
  FAKE_EXPORT int P##SetCursorInterval(uint16_t) { return 1; } \
  FAKE_EXPORT int P##CheckArchive(const char*, int) { return fake::Load(#P).check; } \
  FAKE_EXPORT int P##GetFileCount(const char*) { \
    fake::Script s = fake::Load(#P); return s.count == -2 ? static_cast<int>(s.members.size()) : s.count; } \
  FAKE_EXPORT int P##ConfigDialog(ARC_HWND, char*, int) { return 0; } \
  FAKE_EXPORT int P##QueryFunctionList(int) { return 1; } \
  FAKE_EXPORT int P##SetOwnerWindow(ARC_HWND w) { return fake::SetOwner(#P, w, nullptr); } \
  FAKE_EXPORT int P##ClearOwnerWindow(void) { return fake::ClearOwner(#P); } \
  FAKE_EXPORT int P##SetOwnerWindowEx(ARC_HWND w, ARCHIVERPROC p) { return fake::SetOwner(#P, w, p); } \
  FAKE_EXPORT int P##KillOwnerWindowEx(ARC_HWND w) { return fake::KillOwner(#P, w); } \
  FAKE_EXPORT HARC P##OpenArchive(ARC_HWND, const char* a, uint32_t) { return fake::OpenArchive(#P, a); } \
  FAKE_EXPORT int P##CloseArchive(HARC h) { return fake::CloseArchive(h); } \
  FAKE_EXPORT int P##FindFirst(HARC h, const char* w, INDIVIDUALINFO* i) { return fake::FindFirst(h, w, i); } \
  FAKE_EXPORT int P##FindNext(HARC h, INDIVIDUALINFO* i) { return fake::FindNext(h, i); } \
  FAKE_EXPORT int P##GetArcFileName(HARC h, char* b, int n) { return fake::CopyName(h, b, n, true); } \
  FAKE_EXPORT uint32_t P##GetArcFileSize(HARC h) { return fake::ArcSize32(h, 0); } \
  FAKE_EXPORT uint32_t P##GetArcOriginalSize(HARC h) { return fake::ArcSize32(h, 1); } \
  FAKE_EXPORT uint32_t P##GetArcCompressedSize(HARC h) { return fake::ArcSize32(h, 2); } \
  FAKE_EXPORT int P##GetArcFileSizeEx(HARC h, uint64_t* s) { return fake::ArcSizeEx(h, 0, s); } \
  FAKE_EXPORT int P##GetArcOriginalSizeEx(HARC h, uint64_t* s) { return fake::ArcSizeEx(h, 1, s); } \
  FAKE_EXPORT int P##GetArcCompressedSizeEx(HARC h, uint64_t* s) { return fake::ArcSizeEx(h, 2, s); } \
  FAKE_EXPORT uint16_t P##GetArcRatio(HARC h) { return fake::Lookup(h) ? 500 : 0xFFFF; } \
  FAKE_EXPORT uint16_t P##GetArcDate(HARC h) { return fake::Lookup(h) ? fake::kDate : 0xFFFF; } \
  FAKE_EXPORT uint16_t P##GetArcTime(HARC h) { return fake::Lookup(h) ? fake::kTime : 0xFFFF; } \
  FAKE_EXPORT int P##GetArcWriteTimeEx(HARC h, ArcFileTime* t) { return fake::Lookup(h) ? fake::PutTime(t) : 0; } \
  FAKE_EXPORT int P##GetArcCreateTimeEx(HARC h, ArcFileTime* t) { return fake::Lookup(h) ? fake::PutTime(t) : 0; } \
  FAKE_EXPORT int P##GetArcAccessTimeEx(HARC h, ArcFileTime* t) { return fake::Lookup(h) ? fake::PutTime(t) : 0; } \
  FAKE_EXPORT uint32_t P##GetArcOSType(HARC h) { return fake::Lookup(h) ? 0 : 0xFFFFFFFFU; } \
  FAKE_EXPORT int P##IsSFXFile(HARC h) { return fake::Lookup(h) ? fake::Load(#P).sfx : -1; } \
  FAKE_EXPORT int P##GetFileName(HARC h, char* b, int n) { return fake::CopyName(h, b, n, false); } \
  FAKE_EXPORT int P##GetMethod(HARC h, char* b, int n) { return fake::CopyMethod(h, b, n); } \
  FAKE_MEMBER(P, GetOriginalSize, uint32_t, 0xFFFFFFFFU, m->size) \
  FAKE_MEMBER(P, GetCompressedSize, uint32_t, 0xFFFFFFFFU, m->compressed) \
  FAKE_EXPORT int P##GetOriginalSizeEx(HARC h, uint64_t* s) { \
    const fake::FakeMember* m = fake::Current(h); if (!m || !s) return 0; *s = m->size; return 1; } \
  FAKE_EXPORT int P##GetCompressedSizeEx(HARC h, uint64_t* s) { \
    const fake::FakeMember* m = fake::Current(h); if (!m || !s) return 0; *s = m->compressed; return 1; } \
  FAKE_MEMBER(P, GetRatio, uint16_t, 0xFFFF, m->size ? uint64_t{m->compressed} * 1000 / m->size : 0) \
  FAKE_MEMBER(P, GetDate, uint16_t, 0xFFFF, fake::kDate) \
  FAKE_MEMBER(P, GetTime, uint16_t, 0xFFFF, fake::kTime) \
  FAKE_MEMBER(P, GetWriteTime, uint32_t, 0xFFFFFFFFU, 1735821268U) \
  FAKE_MEMBER(P, GetAccessTime, uint32_t, 0xFFFFFFFFU, 1735821268U) \
  FAKE_MEMBER(P, GetCreateTime, uint32_t, 0xFFFFFFFFU, 1735821268U) \
  FAKE_EXPORT int P##GetWriteTimeEx(HARC h, ArcFileTime* t) { return fake::Current(h) ? fake::PutTime(t) : 0; } \
  FAKE_EXPORT int P##GetCreateTimeEx(HARC h, ArcFileTime* t) { return fake::Current(h) ? fake::PutTime(t) : 0; } \
  FAKE_EXPORT int P##GetAccessTimeEx(HARC h, ArcFileTime* t) { return fake::Current(h) ? fake::PutTime(t) : 0; } \
  FAKE_MEMBER(P, GetCRC, uint32_t, 0xFFFFFFFFU, 0x12345678U) \
  FAKE_MEMBER(P, GetAttribute, int, -1, m->attributes) \
  FAKE_MEMBER(P, GetOSType, uint32_t, 0xFFFFFFFFU, 0) \
  FAKE_EXPORT int P##ExtractMem(ARC_HWND, const char*, void*, uint32_t, int64_t*, uint16_t*, uint32_t*) { \
    return ERROR_NOT_SUPPORT; } \
  FAKE_EXPORT int P##CompressMem(ARC_HWND, const char*, const void*, uint32_t, const int64_t*, \
                                 const uint16_t*, uint32_t*) { return ERROR_NOT_SUPPORT; } \
  FAKE_EXPORT int P##SetEnumMembersProc(void*) { return 0; } \
  FAKE_EXPORT int P##ClearEnumMembersProc(void) { return 0; } \
  FAKE_EXPORT int P##SetEnumMembersProc64(void*) { return 0; } \
  FAKE_EXPORT int P##ClearEnumMembersProc64(void) { return 0; }
// clang-format on

#ifdef FAKE_BARE_ONLY
#define FAKE_PREFIX FAKE_BARE
#else
#define FAKE_PREFIX FAKE_FULL
#endif

FAKE_PREFIX(Unlha)
FAKE_PREFIX(Cab)
FAKE_PREFIX(Tar)
FAKE_PREFIX(Unarj)
FAKE_PREFIX(Unrar)
FAKE_PREFIX(UnZip)
FAKE_PREFIX(Zip)
FAKE_PREFIX(Yz1)
FAKE_PREFIX(UnGCA)
FAKE_PREFIX(Bga)
FAKE_PREFIX(Bel)

#ifndef FAKE_BARE_ONLY
FAKE_EXPORT int TarGetArchiveType(const char*) { return fake::Load("Tar").tarType; }
FAKE_EXPORT void SetLangueJapanese(void) {}
FAKE_EXPORT void SetLangueEnglish(void) {}
FAKE_EXPORT int Yz1SetDefaultPassword(ARC_HWND, const char*) { return 0; }
FAKE_EXPORT int Yz1GetDefaultPassword(ARC_HWND, char* b, int n) {
  if (b != nullptr && n > 0) b[0] = '\0';
  return 0;
}
FAKE_EXPORT int Yz1PasswordDialog(ARC_HWND, char* b, int n) {
  return Yz1GetDefaultPassword(nullptr, b, n);
}
#endif
