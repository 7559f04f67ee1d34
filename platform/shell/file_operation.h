// The shell's file operation (SHFileOperation), copy only, with our own
// engine. Paths are Windows paths; the last component of a source may hold
// the wildcards "*" and "?" with the FindFirstFile rules ("*.*" matches every
// name, with or without a dot). The destination is a folder, created with
// every missing level. Overwrite questions and error boxes go through the
// widget layer's message boxes; a progress window with a cancel button
// appears when a copy takes longer than about a second.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform::shell {

constexpr std::uint32_t FO_COPY = 2;

constexpr std::uint32_t FOF_SILENT = 0x0004;          // no progress window
constexpr std::uint32_t FOF_NOCONFIRMATION = 0x0010;  // overwrite without asking
constexpr std::uint32_t FOF_ALLOWUNDO = 0x0040;       // accepted; nothing to undo with
constexpr std::uint32_t FOF_NOCONFIRMMKDIR = 0x0200;  // accepted; folders are always made
constexpr std::uint32_t FOF_NOERRORUI = 0x0400;       // no error boxes

// Results other than 0.
constexpr int kErrorFileNotFound = 2;  // a source that does not exist
constexpr int kErrorPathNotFound = 3;
constexpr int kErrorAccessDenied = 5;
constexpr int kErrorDiskFull = 112;
constexpr int kErrorCancelled = 1223;   // the user cancelled
constexpr int DE_SAMEFILE = 0x71;       // a file onto itself
constexpr int DE_OPCANCELLED = 0x75;    // some files kept by answering No
constexpr int DE_DESTSUBTREE = 0x76;    // a folder into itself
constexpr int DE_INVALIDFILES = 0x7C;   // no source, or not a copy
constexpr int DE_FLDDESTISFILE = 0x7E;  // a folder onto a file
constexpr int DE_FILEDESTISFLD = 0x80;  // a file onto a folder
constexpr int kErrorUnknown = 0x402;    // any other failure

// SHFILEOPSTRUCT, in this program's terms.
struct FileOperation {
  std::uint32_t func = FO_COPY;
  std::vector<std::string> from;  // the double-NUL list, one entry each
  std::string to;                 // the destination folder
  std::uint32_t flags = 0;
  bool anyOperationsAborted = false;  // set when the user cancelled or kept a file
};

// Runs the operation synchronously. 0 only when every file was copied.
// "No" to an overwrite question keeps that file and goes on with the rest,
// then gives DE_OPCANCELLED; "Cancel" stops at once (kErrorCancelled). Both
// set anyOperationsAborted. Nothing is copied when a folder would land
// inside itself.
int SHFileOperation(FileOperation& operation);

// The overwrite question, as the shell's confirmation asks it.
enum class OverwriteAnswer { Yes, YesToAll, No, Cancel };

}  // namespace platform::shell
