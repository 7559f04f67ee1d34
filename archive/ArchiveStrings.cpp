#include "archive/ArchiveStrings.h"

#include <string>

#include "archive/ArchiveCst.h"
#include "archive/ArchiveErrors.h"
#include "platform/files/files.h"
#include "platform/files/tempfile.h"
#include "platform/text/text.h"

namespace archive {

namespace files = platform::files;

namespace {

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

// "[" and "-" are pattern characters for the ZIP library, in the last
// component only: the folders before it are taken as they stand. Exact
// names escape "*" and "?" too, except a last component "*.*", which
// stands for a folder's contents.
std::string EscapeZipWildcards(const std::string& name, bool exact) {
  const std::size_t slash = name.rfind('\\');
  const std::size_t cut = slash == std::string::npos ? 0 : slash + 1;
  std::string last = name.substr(cut);
  ReplaceAll(last, "[", "[[]");
  ReplaceAll(last, "-", "[-]");
  if (exact && last != "*.*") {
    ReplaceAll(last, "*", "[*]");
    ReplaceAll(last, "?", "[?]");
  }
  return name.substr(0, cut) + last;
}

template <typename Arguments>
std::string FormatCommandLineOf(std::string_view switches, const Arguments& arguments) {
  std::string result = WithTrailingBlank(switches);
  for (std::string_view argument : arguments) {
    if (!argument.empty()) result += WithTrailingBlank(QuotedName(argument));
  }
  return result;
}

// The pattern with its "%s" replaced by the text.
std::string Formatted(std::string_view pattern, std::string_view text) {
  const auto at = pattern.find("%s");
  return std::string(pattern.substr(0, at)) + std::string(text) +
         std::string(pattern.substr(at + 2));
}

}  // namespace

void RequireAnsiText(std::string_view text) {
  if (!platform::text::IsCp932Encodable(text)) {
    throw EInvalidOperation(Formatted(SNotInCodePage, text));
  }
}

std::string AnsiTempFolder() {
  const std::string system = files::GetTempPath();
  if (platform::text::IsCp932Encodable(system)) return system;
  return files::IncludeTrailingBackslash(files::ToWindows("/tmp"));
}

std::string WithTrailingBlank(std::string_view text) {
  std::string result(text);
  if (!result.empty() && result.back() != ' ') result += ' ';
  return result;
}

std::string QuotedName(std::string_view text) {
  std::string result = "\"";
  for (char c : text) {
    result += c;
    if (c == '"') result += '"';
  }
  result += '"';
  return result;
}

std::string FormatCommandLine(std::string_view switches,
                              std::initializer_list<std::string_view> arguments) {
  return FormatCommandLineOf(switches, arguments);
}

std::string FormatCommandLine(std::string_view switches,
                              const std::vector<std::string>& arguments) {
  return FormatCommandLineOf(switches, arguments);
}

TArchiveStrings::TArchiveStrings(TArchiveOptions* options, std::string responseFileName)
    : ResponseFileName(std::move(responseFileName)), Options(options) {
  if (options == nullptr) throw EInvalidOperation(SInvalidParameter);
}

TArchiveStrings::~TArchiveStrings() { RemoveResponseFile(); }

void TArchiveStrings::AddStrings(const std::vector<std::string>& names) {
  strings_.insert(strings_.end(), names.begin(), names.end());
}

std::string TArchiveStrings::Strings(int index) const {
  const std::string& name = strings_.at(static_cast<std::size_t>(index));
  if (!QuoteNames) return name;
  bool escape = EscapeZipWildcards && dynamic_cast<const TZipOptions*>(Options) != nullptr;
  return QuotedName(escape ? archive::EscapeZipWildcards(name, ExactNames) : name);
}

void TArchiveStrings::Assign(const TArchiveStrings& source) {
  if (&source == this) return;
  ResponseFileName = source.ResponseFileName;
  BaseFolder = source.BaseFolder;
  strings_ = source.strings_;
}

void TArchiveStrings::Assign(const std::vector<std::string>& names) { strings_ = names; }

void TArchiveStrings::SetBaseFolder(std::string_view folder) {
  BaseFolder = !folder.empty() && files::DirectoryExists(folder)
                   ? files::IncludeTrailingBackslash(folder)
                   : std::string();
}

void TArchiveStrings::CheckNames() const {
  for (const std::string& name : strings_) {
    if (name.find_first_of("\r\n") != std::string::npos) throw EInvalidOperation(SLineBreakInName);
    RequireAnsiText(name);
  }
}

std::string TArchiveStrings::BuildFileArgument(bool escapeZipWildcards) {
  CheckNames();
  struct QuoteScope {
    TArchiveStrings& list;
    ~QuoteScope() { list.QuoteNames = false; }
  } scope{*this};
  QuoteNames = true;
  EscapeZipWildcards = escapeZipWildcards;

  if (dynamic_cast<const TGcaOptions*>(Options) != nullptr) {
    std::string inline_names;
    for (int i = 0; i < Count(); ++i) inline_names += Strings(i) + ' ';
    return inline_names;
  }
  std::string path = WriteResponseFile();
  char marker = dynamic_cast<const TArjOptions*>(Options) != nullptr ? '!' : '@';
  return QuotedName(marker + path);
}

std::string TArchiveStrings::WriteResponseFile() {
  RemoveResponseFile();
  std::string contents;
  for (int i = 0; i < Count(); ++i) contents += Strings(i) + "\r\n";
  const std::string& hint =
      ResponseFileName.empty() ? std::string(DefaultResponseFileName) : ResponseFileName;
  // The libraries read ANSI (CP932) text, as the Windows originals do.
  std::string path =
      files::CreatePrivateTempFile(hint, platform::text::Utf8ToCp932(contents), AnsiTempFolder());
  if (path.empty()) throw EFCreateError(Formatted(SCreateFileError, hint));
  responseFilePath_ = path;
  return path;
}

void TArchiveStrings::RemoveResponseFile() {
  if (responseFilePath_.empty()) return;
  files::DeleteFile(responseFilePath_);
  responseFilePath_.clear();
}

}  // namespace archive
