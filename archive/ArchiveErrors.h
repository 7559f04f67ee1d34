// Exceptions of the archive components. Each carries its Japanese message
// (UTF-8) as what().
#pragma once

#include <stdexcept>
#include <string>

namespace archive {

// An archiver library that cannot be loaded.
class EArchiverDLLError : public std::runtime_error {
 public:
  using runtime_error::runtime_error;
};

// Invalid parameters (a missing option object, one of the wrong format, a
// name that cannot go into a command).
class EInvalidOperation : public std::runtime_error {
 public:
  using runtime_error::runtime_error;
};

// A file (the response file) that cannot be created.
class EFCreateError : public std::runtime_error {
 public:
  using runtime_error::runtime_error;
};

class ECommonArchiverError : public std::runtime_error {
 public:
  using runtime_error::runtime_error;
};

#define TOBRIN_ARCHIVER_ERROR(Name)                   \
  class Name : public ECommonArchiverError {          \
   public:                                            \
    using ECommonArchiverError::ECommonArchiverError; \
  }

TOBRIN_ARCHIVER_ERROR(EArchiverVersion);
TOBRIN_ARCHIVER_ERROR(ECabArchiver);
TOBRIN_ARCHIVER_ERROR(ETarArchiver);
TOBRIN_ARCHIVER_ERROR(EArjArchiver);
TOBRIN_ARCHIVER_ERROR(ERarArchiver);
TOBRIN_ARCHIVER_ERROR(EZipArchiver);
TOBRIN_ARCHIVER_ERROR(EGcaArchiver);
TOBRIN_ARCHIVER_ERROR(EBgaArchiver);
TOBRIN_ARCHIVER_ERROR(EYz1Archiver);

#undef TOBRIN_ARCHIVER_ERROR

}  // namespace archive
