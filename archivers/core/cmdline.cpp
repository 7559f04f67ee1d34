#include "archivers/core/cmdline.h"

namespace archivers {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool EndsWithSeparator(std::string_view text) {
  return !text.empty() && (text.back() == '\\' || text.back() == '/');
}

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

// Reads one token from `pos`; quotes may open and close anywhere in it.
CommandToken ReadToken(std::string_view line, std::size_t& pos) {
  CommandToken token;
  token.quoted = line[pos] == '"';
  bool inQuotes = false;
  while (pos < line.size()) {
    char c = line[pos];
    if (c == '"') {
      if (inQuotes && pos + 1 < line.size() && line[pos + 1] == '"') {
        token.text.push_back('"');
        pos += 2;
        continue;
      }
      inQuotes = !inQuotes;
      ++pos;
      continue;
    }
    if (!inQuotes && IsBlank(c)) break;
    token.text.push_back(c);
    ++pos;
  }
  return token;
}

}  // namespace

std::vector<CommandToken> TokenizeCommandLine(std::string_view line) {
  std::vector<CommandToken> tokens;
  std::size_t pos = 0;
  while (true) {
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    if (pos >= line.size()) break;
    tokens.push_back(ReadToken(line, pos));
  }
  return tokens;
}

bool ParsedCommand::HasSwitch(std::string_view exact) const {
  for (const std::string& s : switches) {
    if (s == exact) return true;
  }
  return false;
}

bool ParsedCommand::HasSwitchIgnoreCase(std::string_view exact) const {
  for (const std::string& s : switches) {
    if (EqualsIgnoreCase(s, exact)) return true;
  }
  return false;
}

std::optional<std::string> ParsedCommand::SwitchValue(std::string_view prefix) const {
  std::optional<std::string> value;
  for (const std::string& s : switches) {
    if (s.size() >= prefix.size() && std::string_view(s).substr(0, prefix.size()) == prefix) {
      value = s.substr(prefix.size());
    }
  }
  return value;
}

ParsedCommand ParseCommandLine(std::string_view line, bool takesWord) {
  ParsedCommand command;
  bool wordSeen = !takesWord;
  bool archiveSeen = false;
  for (CommandToken& token : TokenizeCommandLine(line)) {
    if (!token.quoted && token.text.size() > 1 && token.text.front() == '-') {
      command.switches.push_back(std::move(token.text));
    } else if (!wordSeen && !token.quoted) {
      command.word = std::move(token.text);
      wordSeen = true;
    } else if (!archiveSeen) {
      command.archive = std::move(token.text);
      archiveSeen = true;
      wordSeen = true;
    } else if (command.baseFolder.empty() && command.names.empty() &&
               command.responseFiles.empty() && EndsWithSeparator(token.text)) {
      command.baseFolder = std::move(token.text);
    } else if (!token.text.empty() && token.text.front() == '@') {
      command.responseFiles.push_back(token.text.substr(1));
    } else if (!token.text.empty()) {
      command.names.push_back(std::move(token.text));
    }
  }
  return command;
}

std::vector<std::string> ParseResponseFile(std::string_view content) {
  std::vector<std::string> names;
  std::size_t pos = 0;
  while (pos < content.size()) {
    std::size_t end = content.find('\n', pos);
    if (end == std::string_view::npos) end = content.size();
    std::string_view line = content.substr(pos, end - pos);
    pos = end + 1;
    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
    if (line.empty()) continue;
    std::size_t at = 0;
    CommandToken token = ReadToken(line, at);
    // A bare name may hold blanks: the rest of the line belongs to it.
    std::string name = token.quoted ? token.text : std::string(line);
    if (!name.empty()) names.push_back(std::move(name));
  }
  return names;
}

}  // namespace archivers
