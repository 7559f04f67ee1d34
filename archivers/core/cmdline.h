// Command lines the archive components hand to a library:
//   [command word] switches "archive" "base folder\" "@response file" | "names"
// Blanks separate tokens; inside double quotes "" is one quote; a backslash
// escapes nothing. Text stays CP932 bytes here.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace archivers {

struct CommandToken {
  std::string text;
  bool quoted = false;  // began with a double quote
};

std::vector<CommandToken> TokenizeCommandLine(std::string_view line);

struct ParsedCommand {
  std::string word;                   // "e", "x", "l" ... when the library takes one
  std::vector<std::string> switches;  // with their leading "-"
  std::string archive;
  std::string baseFolder;                  // as given, with its trailing "\" or "/"
  std::vector<std::string> names;          // names given inline
  std::vector<std::string> responseFiles;  // paths after "@"

  bool HasSwitch(std::string_view exact) const;
  bool HasSwitchIgnoreCase(std::string_view exact) const;
  // The text after the last switch that starts with `prefix`.
  std::optional<std::string> SwitchValue(std::string_view prefix) const;
};

// `takesWord`: the first unquoted positional token is a command word.
ParsedCommand ParseCommandLine(std::string_view line, bool takesWord);

// The names of a response file: one per line, in double quotes or bare.
std::vector<std::string> ParseResponseFile(std::string_view content);

}  // namespace archivers
