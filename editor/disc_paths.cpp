#include "editor/disc_paths.h"

#include <optional>

#include "editor/tobrinedit1.h"
#include "menuview/TargetForms.h"
#include "platform/files/files.h"
#include "platform/text/text.h"
#include "platform/ui/ui.h"

namespace tobrinedit {

namespace {

namespace files = platform::files;

constexpr std::size_t kPathMaxBytes = 200;
constexpr std::size_t kSourceMaxBytes = 100;
// "#aend" or "#auto" and the separator before the argument.
constexpr std::size_t kTargetFormBytes = 6;

bool HasDrive(std::string_view path) { return path.size() >= 2 && path[1] == ':'; }

void Note(OutsideFiles* outside, std::string_view label, std::string_view path) {
  if (outside) outside->push_back(std::string(label) + ": " + std::string(path));
}

}  // namespace

std::string DiscPath(std::string_view path, const std::string& discFolder, std::size_t maxBytes,
                     std::string_view label, OutsideFiles* outside) {
  if (const std::optional<std::string> below = files::PathBelowFolder(path, discFolder)) {
    return platform::text::AnsiLeft(*below, maxBytes);
  }
  if (!HasDrive(path)) return std::string(path);
  Note(outside, label, path);
  return platform::text::AnsiLeft(MakeDriveRelative(path), maxBytes);
}

std::string DiscTarget(std::string_view target, const std::string& discFolder,
                       std::string_view label, OutsideFiles* outside) {
  const bool hasForm =
      menuview::IsRunAndCloseTarget(target) || menuview::IsFolderAutorunTarget(target);
  if (!hasForm) return DiscPath(target, discFolder, kPathMaxBytes, label, outside);
  const std::string argument = menuview::TargetArgument(target);
  const std::optional<std::string> below = files::PathBelowFolder(argument, discFolder);
  if (below) return std::string(target.substr(0, kTargetFormBytes)) + *below;
  // A drive inside the form stays, as it always did.
  if (HasDrive(argument)) Note(outside, label, target);
  return std::string(target);
}

std::string DiscSource(std::string_view source, bool isArchive, const std::string& discFolder,
                       std::string_view label, OutsideFiles* outside) {
  return NormaliseSetupSource(DiscPath(source, discFolder, kSourceMaxBytes, label, outside),
                              isArchive);
}

std::string DiscFileName(std::string_view name, std::string_view chosenPath,
                         const std::string& discFolder, std::string_view label,
                         OutsideFiles* outside) {
  const bool nameFromChosen = files::ExtractFileName(chosenPath) == files::ExtractFileName(name);
  if (!nameFromChosen) return MakeDriveRelative(name);
  if (const std::optional<std::string> below = files::PathBelowFolder(chosenPath, discFolder)) {
    return platform::text::AnsiLeft(*below, kPathMaxBytes);
  }
  // A path without a drive (typed, or loaded) is the author's own: the
  // name stays as it was.
  if (HasDrive(chosenPath)) Note(outside, label, chosenPath);
  return MakeDriveRelative(name);
}

void ReportOutsideFiles(const OutsideFiles& outside) {
  if (outside.empty()) return;
  std::string text =
      "保存しました。\r\n次の設定で指定したファイルは保存先のフォルダの外にあるため、"
      "このディスクには含まれません。\r\nファイルを保存先のフォルダに置いて指定し直してください。\r"
      "\n";
  for (const std::string& line : outside) text += "\r\n" + line;
  ui::ShowMessage(text);
}

}  // namespace tobrinedit
