// The file list of one archiver command (TArchiveStrings) with its
// response file, and the command-line formatting.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "archive/ArchiveOptions.h"

namespace archive {

// t followed by one blank, unless t is empty or already ends with a blank.
std::string WithTrailingBlank(std::string_view text);
// The text in double quotes, an inner double quote doubled.
std::string QuotedName(std::string_view text);
// WithTrailingBlank(switches), then each non-empty argument quoted and
// followed by one blank.
std::string FormatCommandLine(std::string_view switches,
                              std::initializer_list<std::string_view> arguments);
std::string FormatCommandLine(std::string_view switches, const std::vector<std::string>& arguments);

inline constexpr char DefaultResponseFileName[] = "Response.txt";

// Raises EInvalidOperation (SNotInCodePage) for a path or name that CP932
// cannot hold: the libraries take ANSI text.
void RequireAnsiText(std::string_view text);

// The folder for files that the libraries read by name (Windows form, with
// its "\"): the system's temporary folder when CP932 can hold its path,
// else "/tmp".
std::string AnsiTempFolder();

// Member names or masks of one command, in the order they were added.
// The response file that BuildFileArgument writes is a private temporary
// file (its name made from ResponseFileName); it is removed by
// RemoveResponseFile, by the next BuildFileArgument and by the destructor.
class TArchiveStrings {
 public:
  // options must not be null (EInvalidOperation); it is not owned.
  TArchiveStrings(TArchiveOptions* options, std::string responseFileName);
  ~TArchiveStrings();
  TArchiveStrings(const TArchiveStrings&) = delete;
  TArchiveStrings& operator=(const TArchiveStrings&) = delete;

  void Add(std::string name) { strings_.push_back(std::move(name)); }
  void AddStrings(const std::vector<std::string>& names);
  void Clear() { strings_.clear(); }
  int Count() const { return static_cast<int>(strings_.size()); }
  // Entry i; quoted (and ZIP wildcards escaped) while QuoteNames is set.
  std::string Strings(int index) const;
  const std::vector<std::string>& Names() const { return strings_; }

  // Copies ResponseFileName, BaseFolder and the names (not Options).
  void Assign(const TArchiveStrings& source);
  // The strings only.
  void Assign(const std::vector<std::string>& names);

  // BaseFolder := the folder with a trailing "\" when it exists, else "".
  void SetBaseFolder(std::string_view folder);

  // The file part of a command: for GCA the quoted names, each followed by
  // a blank; otherwise a freshly written response file (one quoted name a
  // line, CR LF) referred to as "@path" ("!path" for ARJ), quoted.
  // Raises EInvalidOperation for a name holding CR or LF or a character
  // CP932 cannot hold, and EFCreateError when the response file cannot be
  // written.
  std::string BuildFileArgument(bool escapeZipWildcards);
  // Path of the response file written last ("" when none is on disk).
  const std::string& ResponseFilePath() const { return responseFilePath_; }
  void RemoveResponseFile();

  bool QuoteNames = false;
  bool EscapeZipWildcards = false;
  // Each name is one file or folder, never a mask (see EscapeZipWildcards).
  bool ExactNames = false;
  std::string ResponseFileName;
  TArchiveOptions* Options;
  std::string BaseFolder;

 private:
  void CheckNames() const;
  std::string WriteResponseFile();

  std::vector<std::string> strings_;
  std::string responseFilePath_;
};

}  // namespace archive
