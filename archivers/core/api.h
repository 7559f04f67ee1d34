// The exports of the common archiver interface over the library's engine:
// every function catches everything, so no C++ exception crosses the C
// interface. ARC_DEFINE_EXPORTS(Prefix) defines the prefixed C names.
#pragma once

#include <cstdint>

#include "archivers/arcapi.h"

namespace archivers::api {

std::uint16_t GetVersion();
int GetRunning();
int GetBackGroundMode();
int SetBackGroundMode(int mode);
int GetCursorMode();
int SetCursorMode(int mode);
std::uint16_t GetCursorInterval();
int SetCursorInterval(std::uint16_t interval);
int Command(ARC_HWND owner, const char* cmdLine, char* output, std::uint32_t size);
int CheckArchive(const char* archive, int mode);
int GetFileCount(const char* archive);
int ConfigDialog(ARC_HWND owner, char* options, int mode);
int QueryFunctionList(int function);
int SetOwnerWindow(ARC_HWND window);
int ClearOwnerWindow();
int SetOwnerWindowEx(ARC_HWND window, ARCHIVERPROC proc);
int KillOwnerWindowEx(ARC_HWND window);
HARC OpenArchive(ARC_HWND owner, const char* archive, std::uint32_t mode);
int CloseArchive(HARC arc);
int FindFirst(HARC arc, const char* wildName, INDIVIDUALINFO* info);
int FindNext(HARC arc, INDIVIDUALINFO* info);
int GetArcFileName(HARC arc, char* buffer, int size);
std::uint32_t GetArcFileSize(HARC arc);
std::uint32_t GetArcOriginalSize(HARC arc);
std::uint32_t GetArcCompressedSize(HARC arc);
int GetArcFileSizeEx(HARC arc, std::uint64_t* size);
int GetArcOriginalSizeEx(HARC arc, std::uint64_t* size);
int GetArcCompressedSizeEx(HARC arc, std::uint64_t* size);
std::uint16_t GetArcRatio(HARC arc);
std::uint16_t GetArcDate(HARC arc);
std::uint16_t GetArcTime(HARC arc);
int GetArcWriteTimeEx(HARC arc, ArcFileTime* time);
int GetArcCreateTimeEx(HARC arc, ArcFileTime* time);
int GetArcAccessTimeEx(HARC arc, ArcFileTime* time);
std::uint32_t GetArcOSType(HARC arc);
int IsSFXFile(HARC arc);
int GetFileName(HARC arc, char* buffer, int size);
int GetMethod(HARC arc, char* buffer, int size);
std::uint32_t GetOriginalSize(HARC arc);
std::uint32_t GetCompressedSize(HARC arc);
int GetOriginalSizeEx(HARC arc, std::uint64_t* size);
int GetCompressedSizeEx(HARC arc, std::uint64_t* size);
std::uint16_t GetRatio(HARC arc);
std::uint16_t GetDate(HARC arc);
std::uint16_t GetTime(HARC arc);
std::uint32_t GetWriteTime(HARC arc);
std::uint32_t GetAccessTime(HARC arc);
std::uint32_t GetCreateTime(HARC arc);
int GetWriteTimeEx(HARC arc, ArcFileTime* time);
int GetCreateTimeEx(HARC arc, ArcFileTime* time);
int GetAccessTimeEx(HARC arc, ArcFileTime* time);
std::uint32_t GetCRC(HARC arc);
int GetAttribute(HARC arc);
std::uint32_t GetOSType(HARC arc);
int NotSupportedMem();
int TarGetArchiveType(const char* archive);

}  // namespace archivers::api

#define ARC_EXPORT extern "C" __attribute__((visibility("default")))
#define ARC_FORWARD(P, name, result, params, args) \
  ARC_EXPORT result P##name params { return archivers::api::name args; }

// clang-format off
#define ARC_DEFINE_EXPORTS(P) \
  ARC_EXPORT int P(ARC_HWND owner, const char* cmdLine, char* output, uint32_t size) { \
    return archivers::api::Command(owner, cmdLine, output, size); } \
  ARC_FORWARD(P, GetVersion, uint16_t, (void), ()) \
  ARC_FORWARD(P, GetRunning, int, (void), ()) \
  ARC_FORWARD(P, GetBackGroundMode, int, (void), ()) \
  ARC_FORWARD(P, SetBackGroundMode, int, (int mode), (mode)) \
  ARC_FORWARD(P, GetCursorMode, int, (void), ()) \
  ARC_FORWARD(P, SetCursorMode, int, (int mode), (mode)) \
  ARC_FORWARD(P, GetCursorInterval, uint16_t, (void), ()) \
  ARC_FORWARD(P, SetCursorInterval, int, (uint16_t interval), (interval)) \
  ARC_FORWARD(P, CheckArchive, int, (const char* archive, int mode), (archive, mode)) \
  ARC_FORWARD(P, GetFileCount, int, (const char* archive), (archive)) \
  ARC_FORWARD(P, ConfigDialog, int, (ARC_HWND owner, char* options, int mode), (owner, options, mode)) \
  ARC_FORWARD(P, QueryFunctionList, int, (int function), (function)) \
  ARC_FORWARD(P, SetOwnerWindow, int, (ARC_HWND window), (window)) \
  ARC_FORWARD(P, ClearOwnerWindow, int, (void), ()) \
  ARC_FORWARD(P, SetOwnerWindowEx, int, (ARC_HWND window, ARCHIVERPROC proc), (window, proc)) \
  ARC_FORWARD(P, KillOwnerWindowEx, int, (ARC_HWND window), (window)) \
  ARC_FORWARD(P, OpenArchive, HARC, (ARC_HWND owner, const char* archive, uint32_t mode), (owner, archive, mode)) \
  ARC_FORWARD(P, CloseArchive, int, (HARC arc), (arc)) \
  ARC_FORWARD(P, FindFirst, int, (HARC arc, const char* wild, INDIVIDUALINFO* info), (arc, wild, info)) \
  ARC_FORWARD(P, FindNext, int, (HARC arc, INDIVIDUALINFO* info), (arc, info)) \
  ARC_FORWARD(P, GetArcFileName, int, (HARC arc, char* buffer, int size), (arc, buffer, size)) \
  ARC_FORWARD(P, GetArcFileSize, uint32_t, (HARC arc), (arc)) \
  ARC_FORWARD(P, GetArcOriginalSize, uint32_t, (HARC arc), (arc)) \
  ARC_FORWARD(P, GetArcCompressedSize, uint32_t, (HARC arc), (arc)) \
  ARC_FORWARD(P, GetArcFileSizeEx, int, (HARC arc, uint64_t* size), (arc, size)) \
  ARC_FORWARD(P, GetArcOriginalSizeEx, int, (HARC arc, uint64_t* size), (arc, size)) \
  ARC_FORWARD(P, GetArcCompressedSizeEx, int, (HARC arc, uint64_t* size), (arc, size)) \
  ARC_FORWARD(P, GetArcRatio, uint16_t, (HARC arc), (arc)) \
  ARC_FORWARD(P, GetArcDate, uint16_t, (HARC arc), (arc)) \
  ARC_FORWARD(P, GetArcTime, uint16_t, (HARC arc), (arc)) \
  ARC_FORWARD(P, GetArcWriteTimeEx, int, (HARC arc, ArcFileTime* time), (arc, time)) \
  ARC_FORWARD(P, GetArcCreateTimeEx, int, (HARC arc, ArcFileTime* time), (arc, time)) \
  ARC_FORWARD(P, GetArcAccessTimeEx, int, (HARC arc, ArcFileTime* time), (arc, time)) \
  ARC_FORWARD(P, GetArcOSType, uint32_t, (HARC arc), (arc)) \
  ARC_FORWARD(P, IsSFXFile, int, (HARC arc), (arc)) \
  ARC_FORWARD(P, GetFileName, int, (HARC arc, char* buffer, int size), (arc, buffer, size)) \
  ARC_FORWARD(P, GetMethod, int, (HARC arc, char* buffer, int size), (arc, buffer, size)) \
  ARC_FORWARD(P, GetOriginalSize, uint32_t, (HARC arc), (arc)) \
  ARC_FORWARD(P, GetCompressedSize, uint32_t, (HARC arc), (arc)) \
  ARC_FORWARD(P, GetOriginalSizeEx, int, (HARC arc, uint64_t* size), (arc, size)) \
  ARC_FORWARD(P, GetCompressedSizeEx, int, (HARC arc, uint64_t* size), (arc, size)) \
  ARC_FORWARD(P, GetRatio, uint16_t, (HARC arc), (arc)) \
  ARC_FORWARD(P, GetDate, uint16_t, (HARC arc), (arc)) \
  ARC_FORWARD(P, GetTime, uint16_t, (HARC arc), (arc)) \
  ARC_FORWARD(P, GetWriteTime, uint32_t, (HARC arc), (arc)) \
  ARC_FORWARD(P, GetAccessTime, uint32_t, (HARC arc), (arc)) \
  ARC_FORWARD(P, GetCreateTime, uint32_t, (HARC arc), (arc)) \
  ARC_FORWARD(P, GetWriteTimeEx, int, (HARC arc, ArcFileTime* time), (arc, time)) \
  ARC_FORWARD(P, GetCreateTimeEx, int, (HARC arc, ArcFileTime* time), (arc, time)) \
  ARC_FORWARD(P, GetAccessTimeEx, int, (HARC arc, ArcFileTime* time), (arc, time)) \
  ARC_FORWARD(P, GetCRC, uint32_t, (HARC arc), (arc)) \
  ARC_FORWARD(P, GetAttribute, int, (HARC arc), (arc)) \
  ARC_FORWARD(P, GetOSType, uint32_t, (HARC arc), (arc))

// Extracting to and compressing from memory is not offered.
#define ARC_DEFINE_MEM_EXPORTS(P) \
  ARC_EXPORT int P##ExtractMem(ARC_HWND, const char*, void*, uint32_t, int64_t*, uint16_t*, uint32_t*) { \
    return archivers::api::NotSupportedMem(); } \
  ARC_EXPORT int P##CompressMem(ARC_HWND, const char*, const void*, uint32_t, const int64_t*, \
                                const uint16_t*, uint32_t*) { \
    return archivers::api::NotSupportedMem(); }
// clang-format on
