/*
 * The common archiver interface shared by the archive components (which load
 * the libraries at run time) and our archiver libraries ("Unlha32.dll",
 * "cab32.dll", "Tar32.dll", "unrar32.dll", "Unzip32.dll", "Zip32j.dll").
 *
 * Every export is named by the library's prefix followed by the names below
 * ("Unlha", "UnlhaGetVersion", ...); the command entry is the prefix alone.
 * A few exports carry no prefix: "TarGetArchiveType", "TarExtractMem",
 * "TarCompressMem", "SetLangueJapanese", "SetLangueEnglish".
 *
 * Text crosses the interface as CP932 (what the Windows "A" functions take).
 * Paths are Windows paths ("D:\setup\data.lzh", base folder "C:\app\" with its
 * trailing "\"), mapped through the drive map of platform/files; an absolute
 * POSIX path is accepted too. Member names use "\" between folders.
 *
 * The owner window is a stand-in for a Windows window: a record whose
 * callback the library calls synchronously, on the calling thread, while a
 * command runs, with the message identifier the window holds for
 * "wm_arcextract", the state as the word parameter and the progress record.
 * A non-zero callback result cancels the command (the message's result on
 * Windows). The library calls the window registered by SetOwnerWindowEx; the
 * window passed to the command entry is only its owner.
 *
 * The scriptable fake library for tests ("Fake32.dll", "FakeBare32.dll")
 * is described at the top of archivers/fake/fake.cpp.
 */
#ifndef TOBRIN_ARCHIVERS_ARCAPI_H
#define TOBRIN_ARCHIVERS_ARCAPI_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#define ARC_STATIC_ASSERT(cond, text) static_assert(cond, text)
#else
#define ARC_STATIC_ASSERT(cond, text) _Static_assert(cond, text)
#endif

#define ARC_WM_ARCEXTRACT_NAME "wm_arcextract"

/* Word parameter (state) of "wm_arcextract". */
enum {
  ARCEXTRACT_BEGIN = 0,     /* a member begins */
  ARCEXTRACT_INPROCESS = 1, /* bytes of the member were written */
  ARCEXTRACT_END = 2,       /* the member is done */
  ARCEXTRACT_OPEN = 3,      /* the archive is opened */
  ARCEXTRACT_COPY = 4,      /* a work file is copied back */
  ARCEXTRACT_SEARCH = 5     /* a file was found while gathering files to add */
};

#define FNAME_MAX32 512

#pragma pack(push, 1)

/* Member record of FindFirst/FindNext. */
typedef struct INDIVIDUALINFO {
  uint32_t dwOriginalSize;
  uint32_t dwCompressedSize;
  uint32_t dwCRC;
  uint32_t uFlag;
  uint32_t uOSType;
  uint16_t wRatio; /* per mille */
  uint16_t wDate;  /* DOS date, local time */
  uint16_t wTime;  /* DOS time, local time */
  char szFileName[FNAME_MAX32 + 1];
  char dummy1[3];
  char szAttribute[8]; /* "A" archive, "S" system, "H" hidden, "R" read-only, "-" */
  char szMode[8];      /* method text, e.g. "-lh5-" */
} INDIVIDUALINFO;

/* Progress record of "wm_arcextract". */
typedef struct EXTRACTINGINFO {
  uint32_t dwFileSize;
  uint32_t dwWriteSize;
  char szSourceFileName[FNAME_MAX32 + 1]; /* member, while extracting */
  char dummy1[3];
  char szDestFileName[FNAME_MAX32 + 1]; /* member, while compressing */
  char dummy[3];
} EXTRACTINGINFO;

/* FILETIME: 100 ns ticks since 1601-01-01 UTC. */
typedef struct ArcFileTime {
  uint32_t dwLowDateTime;
  uint32_t dwHighDateTime;
} ArcFileTime;

#pragma pack(pop)

ARC_STATIC_ASSERT(sizeof(INDIVIDUALINFO) == 558, "INDIVIDUALINFO is 558 bytes");
ARC_STATIC_ASSERT(sizeof(EXTRACTINGINFO) == 1040, "EXTRACTINGINFO is 1040 bytes");
ARC_STATIC_ASSERT(sizeof(ArcFileTime) == 8, "FILETIME is 8 bytes");

/* Owner-window stand-in. `message` is the identifier the components
 * registered for "wm_arcextract"; the library passes it back unchanged. */
typedef struct ArcOwnerWindow {
  void* context;
  uint32_t message;
  int (*callback)(void* context, uint32_t message, uint64_t state, EXTRACTINGINFO* info);
} ArcOwnerWindow;

typedef ArcOwnerWindow* ARC_HWND;

/* Archive handle of OpenArchive; NULL means failure. */
typedef struct ArcHandle* HARC;

/* Callback procedure of SetOwnerWindowEx (may be NULL). Unlike the window's
 * callback it answers as on Windows: zero cancels, non-zero goes on. */
typedef int (*ARCHIVERPROC)(ARC_HWND window, uint32_t message, uint32_t state,
                            EXTRACTINGINFO* info);

/* CheckArchive modes. */
enum {
  CHECKARCHIVE_RAPID = 0,
  CHECKARCHIVE_BASIC = 1,
  CHECKARCHIVE_FULLCRC = 2,
  CHECKARCHIVE_RECOVERY = 4,
  CHECKARCHIVE_SFX = 8,
  CHECKARCHIVE_ALL = 16
};

/* Result of FindFirst/FindNext besides 0 (found). */
#define ARC_FIND_NO_MORE (-1)

/* TarGetArchiveType results (0: not a TAR archive of ours). */
enum {
  ARCHIVETYPE_UNKNOWN = 0,
  ARCHIVETYPE_TAR = 1,
  ARCHIVETYPE_TARGZ = 2,
  ARCHIVETYPE_TARZ = 3,
  ARCHIVETYPE_TARBZ2 = 6,
  ARCHIVETYPE_TARXZ = 15
};

/* Error results of the command entry and friends (0 is success). */
enum {
  ERROR_NOT_SUPPORT = 0x8023,   /* operation not offered by this library */
  ERROR_ARC_FILE_OPEN = 0x8018, /* archive cannot be opened */
  ERROR_NOT_ARC_FILE = 0x8019,  /* not an archive of this format */
  ERROR_CANNOT_READ = 0x801A,
  ERROR_COMMAND_NAME = 0x801C,
  ERROR_ALREADY_RUNNING = 0x801F,
  ERROR_USER_CANCEL = 0x8020,
  ERROR_HARC_ISNOT_OPENED = 0x8021,
  ERROR_NOT_FIND_ARC_FILE = 0x8029,
  ERROR_RESPONSE_READ = 0x802A,
  ERROR_NOT_FILENAME = 0x802B, /* no base folder, or an unsafe member name */
  ERROR_DISK_SPACE = 0x8005,   /* the destination is full, or would be */
  ERROR_UNKNOWN_TYPE = 0x8008, /* members not made: devices, FIFOs, links pointing out */
  ERROR_CANNOT_WRITE = 0x8013,
  ERROR_MAKEDIRECTORY = 0x8012,
  ERROR_FILE_OPEN = 0x800D,
  ERROR_BROKEN_DATA = 0x8048,
  ERROR_MAKE_ARCHIVE = 0x8040
};

/* Function pointer types of the exports, in the order of the interface. */
typedef uint16_t (*ARC_GETVERSION)(void);
typedef int (*ARC_GETRUNNING)(void);
typedef int (*ARC_GETBACKGROUNDMODE)(void);
typedef int (*ARC_SETBACKGROUNDMODE)(int mode);
typedef int (*ARC_GETCURSORMODE)(void);
typedef int (*ARC_SETCURSORMODE)(int mode);
typedef uint16_t (*ARC_GETCURSORINTERVAL)(void);
typedef int (*ARC_SETCURSORINTERVAL)(uint16_t interval);
typedef int (*ARC_COMMAND)(ARC_HWND owner, const char* cmdLine, char* output, uint32_t size);
typedef int (*ARC_CHECKARCHIVE)(const char* archive, int mode);
typedef int (*ARC_GETFILECOUNT)(const char* archive);
typedef int (*ARC_CONFIGDIALOG)(ARC_HWND owner, char* options, int mode);
typedef int (*ARC_QUERYFUNCTIONLIST)(int function);
typedef int (*ARC_SETOWNERWINDOW)(ARC_HWND window);
typedef int (*ARC_CLEAROWNERWINDOW)(void);
typedef int (*ARC_SETOWNERWINDOWEX)(ARC_HWND window, ARCHIVERPROC proc);
typedef int (*ARC_KILLOWNERWINDOWEX)(ARC_HWND window);
typedef HARC (*ARC_OPENARCHIVE)(ARC_HWND owner, const char* archive, uint32_t mode);
typedef int (*ARC_CLOSEARCHIVE)(HARC arc);
typedef int (*ARC_FINDFIRST)(HARC arc, const char* wildName, INDIVIDUALINFO* info);
typedef int (*ARC_FINDNEXT)(HARC arc, INDIVIDUALINFO* info);
typedef int (*ARC_GETARCFILENAME)(HARC arc, char* buffer, int size);
typedef uint32_t (*ARC_GETARCFILESIZE)(HARC arc);
typedef uint32_t (*ARC_GETARCORIGINALSIZE)(HARC arc);
typedef uint32_t (*ARC_GETARCCOMPRESSEDSIZE)(HARC arc);
typedef uint16_t (*ARC_GETARCRATIO)(HARC arc);
typedef uint16_t (*ARC_GETARCDATE)(HARC arc);
typedef uint16_t (*ARC_GETARCTIME)(HARC arc);
typedef int (*ARC_GETARCWRITETIMEEX)(HARC arc, ArcFileTime* time);
typedef int (*ARC_GETARCCREATETIMEEX)(HARC arc, ArcFileTime* time);
typedef int (*ARC_GETARCACCESSTIMEEX)(HARC arc, ArcFileTime* time);
typedef uint32_t (*ARC_GETARCOSTYPE)(HARC arc);
typedef int (*ARC_ISSFXFILE)(HARC arc);
typedef int (*ARC_GETFILENAME)(HARC arc, char* buffer, int size);
typedef int (*ARC_GETMETHOD)(HARC arc, char* buffer, int size);
typedef uint32_t (*ARC_GETORIGINALSIZE)(HARC arc);
typedef uint32_t (*ARC_GETCOMPRESSEDSIZE)(HARC arc);
typedef uint16_t (*ARC_GETRATIO)(HARC arc);
typedef uint16_t (*ARC_GETDATE)(HARC arc);
typedef uint16_t (*ARC_GETTIME)(HARC arc);
typedef uint32_t (*ARC_GETWRITETIME)(HARC arc); /* seconds since 1970 UTC */
typedef uint32_t (*ARC_GETACCESSTIME)(HARC arc);
typedef uint32_t (*ARC_GETCREATETIME)(HARC arc);
typedef int (*ARC_GETWRITETIMEEX)(HARC arc, ArcFileTime* time);
typedef int (*ARC_GETCREATETIMEEX)(HARC arc, ArcFileTime* time);
typedef int (*ARC_GETACCESSTIMEEX)(HARC arc, ArcFileTime* time);
typedef uint32_t (*ARC_GETCRC)(HARC arc);
typedef int (*ARC_GETATTRIBUTE)(HARC arc); /* Windows attribute bits */
typedef uint32_t (*ARC_GETOSTYPE)(HARC arc);

/* Exports of single libraries. */
typedef uint16_t (*ARC_GETSUBVERSION)(void);
typedef int (*ARC_EXTRACTMEM)(ARC_HWND owner, const char* cmdLine, void* buffer, uint32_t size,
                              int64_t* time, uint16_t* attributes, uint32_t* written);
typedef int (*ARC_COMPRESSMEM)(ARC_HWND owner, const char* cmdLine, const void* buffer,
                               uint32_t size, const int64_t* time, const uint16_t* attributes,
                               uint32_t* written);
typedef int (*ARC_SETENUMMEMBERSPROC)(void* proc);
typedef int (*ARC_CLEARENUMMEMBERSPROC)(void);
typedef void (*ARC_SETLANGUE)(void);
typedef int (*ARC_GETSIZEEX)(HARC arc, uint64_t* size);
typedef int (*ARC_TARGETARCHIVETYPE)(const char* archive);
typedef int (*ARC_YZ1SETDEFAULTPASSWORD)(ARC_HWND owner, const char* password);
typedef int (*ARC_YZ1GETDEFAULTPASSWORD)(ARC_HWND owner, char* buffer, int size);
typedef int (*ARC_YZ1PASSWORDDIALOG)(ARC_HWND owner, char* buffer, int size);

#ifdef __cplusplus
}
#endif

#endif /* TOBRIN_ARCHIVERS_ARCAPI_H */
