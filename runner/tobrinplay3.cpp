#include "runner/tobrinplay3.h"

#include <optional>
#include <stdexcept>

#include "archivers/arcapi.h"
#include "menuview/MenuColors.h"
#include "menuview/SetupView.h"
#include "platform/files/files.h"
#include "platform/profile/profile.h"
#include "platform/shell/file_operation.h"
#include "platform/shell/registry.h"
#include "platform/shell/shell_link.h"
#include "runner/MenuTarget.h"
#include "runner/RunnerPaths.h"
#include "runner/SetupPaths.h"
#include "runner/tobrinplay2.h"
#include "runner/tobrinplay4.h"

namespace tobrinplay {

TForm3* Form3 = nullptr;

namespace files = platform::files;

namespace {

constexpr const char* kStartQuestion = "セットアップを始めますか？";
constexpr const char* kDesktopQuestion = "デスクトップにショートカットを作成しますか？";
constexpr const char* kStartMenuQuestion = "スタートメニューにショートカットを作成しますか？";
constexpr const char* kFolderPrompt = "フォルダを選択してください";
constexpr const char* kUnmappedDestination = "はこのコンピュータのフォルダを指していません";

// Why an archive was not unpacked: from the control's result and the
// library's own value (0 when the library was never reached).
std::string UnpackFailureText(const std::string& source, std::uint8_t result,
                              std::int32_t libraryResult) {
  std::string reason;
  if (result == 3) {
    reason = "展開できる形式の書庫ではありません";
  } else if (libraryResult == ERROR_NOT_FIND_ARC_FILE || libraryResult == ERROR_ARC_FILE_OPEN) {
    reason = "書庫が見つかりません";
  } else if (result == 2 && libraryResult == 0) {
    reason = "展開先のフォルダがありません";
  } else if (libraryResult == ERROR_DISK_SPACE) {
    reason = "展開先のディスクの空き領域が不足しています";
  } else if (libraryResult == ERROR_CANNOT_WRITE || libraryResult == ERROR_MAKEDIRECTORY ||
             libraryResult == ERROR_FILE_OPEN) {
    reason = "展開先に書き込めないファイルがあります";
  } else if (libraryResult == ERROR_BROKEN_DATA || libraryResult == ERROR_NOT_ARC_FILE ||
             libraryResult == ERROR_CANNOT_READ) {
    reason = "書庫が壊れています";
  }
  // The error box ends the text with "." as it does every message.
  return source + " を展開できませんでした" + (reason.empty() ? "" : "\n" + reason);
}

// Rows of the settings file that the setup window reads: the destination
// to the read-only flags, then the item messages.
constexpr int kFirstSetupRow = 29;
constexpr int kLastSetupRow = 40;
constexpr int kFirstMessageRow = 42;
constexpr int kLastMessageRow = 47;

// The menu window loads both colours when it is first shown.
int HoverColorIndex() { return Form2 ? Form2->ButtonHoverColor : 0; }
int TextColorIndex() { return Form2 ? Form2->ButtonTextColor : 0; }

}  // namespace

TForm3::TForm3() : Form("Form3") {
  SetCaption("簡易セットアップ");
  SetBorderStyle(ui::bsSingle);
  SetBorderIcons(ui::biSystemMenu | ui::biMinimize);
  SetClientWidth(522);
  SetClientHeight(410);
  SetPosition(ui::poDesktopCenter);
  Font().SetName("ＭＳ Ｐゴシック");
  Font().SetHeight(-12);

  Image1 = new ui::Image(this, "Image1");
  Image1->SetBounds(0, -8, 521, 489);
  Image1->OnMouseMove = [this](int x, int y) { Image1MouseMove(x, y); };

  Label1 = new ui::Label(this, "Label1");
  Label1->SetAutoSize(false);
  Label1->SetBounds(8, 0, 561, 73);
  Label1->SetTransparent(true);
  Label1->SetWordWrap(true);
  Label1->Font().SetHeight(-16);

  Label2 = new ui::Label(this, "Label2");
  Label2->SetLeft(24);
  Label2->SetTop(336);
  Label2->SetCaption("コピー先");

  CreateItemButtons();
  CreateDestinationControls();
  ConfigureArchiveControl();

  OnShow = [this] { FormShow(); };
  FormCreate();
}

TForm3::~TForm3() = default;

void TForm3::CreateItemButtons() {
  ItemButtons = menuview::CreateItemButtons(*this, 72);
  for (int k = 1; k <= kItems; ++k) {
    ItemButtons[k]->OnClick = [this, k] { ItemButtonClick(k); };
    ItemButtons[k]->OnMouseMove = [this, k](int, int) { ItemButtonMouseMove(k); };
  }
  BitBtn15 = new ui::BitBtn(this, "BitBtn15");
  BitBtn15->SetBounds(96, 304, 89, 25);
  BitBtn15->SetCaption(menuview::kToPage2);
  BitBtn15->SetTabOrder(kItems);
  BitBtn15->OnClick = [this] { BitBtn15Click(); };
  BitBtn15->OnMouseMove = [this](int x, int y) { BitBtn15MouseMove(x, y); };
}

void TForm3::CreateDestinationControls() {
  Edit1 = new ui::Edit(this, "Edit1");
  Edit1->SetBounds(24, 352, 169, 20);
  Edit1->SetTabOrder(kItems + 1);
  Edit1->OnChange = [this] { Edit1Change(); };

  BitBtn16 = new ui::BitBtn(this, "BitBtn16");
  BitBtn16->SetBounds(192, 352, 65, 25);
  BitBtn16->SetCaption("参照");
  BitBtn16->SetTabOrder(kItems + 2);
  BitBtn16->OnClick = [this] { BitBtn16Click(); };
  BitBtn16->OnMouseMove = [this](int x, int y) { BitBtn16MouseMove(x, y); };

  FileListBox1 = new ui::FileListBox(this, "FileListBox1");
  FileListBox1->SetBounds(432, 352, 145, 97);
  FileListBox1->SetVisible(false);
}

void TForm3::ConfigureArchiveControl() {
  archiveControl_ = std::make_unique<archive::TArchiveControl>();
  ArchiveControl1 = archiveControl_.get();
  ArchiveControl1->SetResponseFile("Response.txt");
  ArchiveControl1->SetUseRegistrySetting(false);
  ArchiveControl1->SetVersionCheck(false);
  ArchiveControl1->CabOptions().SetCompressType(archive::ctMsZip);
  ArchiveControl1->CabOptions().MultiVolume = false;
  ArchiveControl1->CabOptions().ShortFileName = false;
  ArchiveControl1->LhaOptions().AdjustArcTime = false;
  ArchiveControl1->LhaOptions().IgnoreBrokenHeader = false;
  ArchiveControl1->LhaOptions().ShortFileName = false;
  ArchiveControl1->TarOptions().GNUTarHeader = false;
  ArchiveControl1->ZipOptions().AdjustArcTime = false;
  ArchiveControl1->ZipOptions().ShortFileName = false;
}

// ---- The window ---------------------------------------------------------

void TForm3::FormCreate() {
  const platform::IniFile ini(SettingsFilePath());
  settings::ReadRows(ini, *this, settings::Reader::Runner, kFirstSetupRow, kLastSetupRow);
  settings::ReadRows(ini, *this, settings::Reader::Runner, kFirstMessageRow, kLastMessageRow);
  for (int k = 1; k <= kItems; ++k) ItemButtons[k]->SetVisible(!SetupNames1[k].empty());
}

void TForm3::FormShow() {
  CopyDestination = ExpandSystemDrivePrefix(CopyDestination, files::GetWindowsDirectory());
  Edit1->SetText(CopyDestination);
  Edit1Change();  // also when the text was already the same
  if (!ShowingPage2) menuview::ShowItemCaptions(ItemButtons, SetupNames1);
}

void TForm3::Edit1Change() {
  const bool enabled = !Edit1->Text().empty();
  for (int k = 1; k <= kItems; ++k) ItemButtons[k]->SetEnabled(enabled);
}

void TForm3::BitBtn15Click() {
  ShowingPage2 = !ShowingPage2;
  menuview::ShowSetupPage(*this, *BitBtn15, ItemButtons, ShowingPage2 ? SetupNames2 : SetupNames1,
                          ShowingPage2);
}

std::string TForm3::JoinMessageLines(const std::string& line1, const std::string& line2,
                                     const std::string& line3) {
  return menuview::JoinLines({"", line1, line2, line3});
}

void TForm3::ItemButtonMouseMove(int k) {
  menuview::ShowItemMessage(
      *Label1, *ItemButtons[k], ShowingPage2 ? SetupMessageLines2[k] : SetupMessageLines1[k],
      ShowingPage2 ? SetupMessageColor2[k] : SetupMessageColor1[k],
      ShowingPage2 ? SetupMessageTip2[k] : SetupMessageTip1[k], HoverColorIndex());
}

void TForm3::ShowButtonHint(const std::string& text, int n, bool showAsTip) {
  menuview::ShowButtonHint(*Label1, *ItemButtons[n], text, showAsTip);
}

void TForm3::BitBtn15MouseMove(int, int) {
  menuview::ShowHoverColour(*BitBtn15, HoverColorIndex());
}

void TForm3::BitBtn16MouseMove(int, int) {
  menuview::ShowHoverColour(*BitBtn16, HoverColorIndex());
}

void TForm3::Image1MouseMove(int, int) {
  const ui::TColor normal = menuview::ColorFromIndex(TextColorIndex());
  Label1->Font().SetColor(normal);
  menuview::ColourSetupButtons(ItemButtons, *BitBtn15, *BitBtn16, normal);
}

// ---- Installation -------------------------------------------------------

void TForm3::ItemButtonClick(int k) {
  const bool installed =
      ShowingPage2
          ? RunSetupItem(SetupSources2[k], IsArchive2[k], StartMenuLinks2[k], DesktopLinks2[k])
          : RunSetupItem(SetupSources1[k], IsArchive1[k], StartMenuLinks1[k], DesktopLinks1[k]);
  if (installed) ClearReadOnlyFiles(ShowingPage2 ? kItems + k : k);
}

bool TForm3::RunSetupItem(const std::string& source, bool isArchive,
                          const std::string& startMenuLink, const std::string& desktopLink) {
  if (source.empty() || Destination().empty()) return false;
  if (!ui::Confirm(kStartQuestion)) return false;
  UseDriveFormOfDestination();
  // Every missing level, so that an archive never unpacks into nothing.
  if (!files::DirectoryExists(Destination())) files::ForceDirectories(Destination());
  const bool installed = isArchive ? UnpackSourceArchive(source) : CopySourceFolder(source);
  // A shortcut to an item that was not installed would point at nothing.
  if (!installed) return false;
  OfferShortcut(desktopLink, kDesktopQuestion, "Desktop");
  OfferShortcut(startMenuLink, kStartMenuQuestion, "Programs");
  PointFileList(source);
  return installed;
}

std::string TForm3::Destination() const { return Edit1->Text(); }

// A destination in POSIX form ("/home/u/install", "~/install", typed or
// written by another tool) names that folder: it takes its drive form, so
// that no "\\" is ever appended to a Linux name.
void TForm3::UseDriveFormOfDestination() {
  const std::optional<std::string> driveForm = files::DriveForm(Destination());
  if (!driveForm) throw std::runtime_error(Destination() + " " + kUnmappedDestination);
  if (*driveForm != Destination()) Edit1->SetText(*driveForm);
}

void TForm3::AppendBackslashToDestination() {
  if (!Destination().ends_with('\\')) Edit1->SetText(Destination() + "\\");
}

// The contents of the source folder (source + "*.*") go into the
// destination; the source itself is not copied. A source that names a
// folder without its final "\" (a disc written by another tool) still
// means its contents, never every name that begins with it.
bool TForm3::CopySourceFolder(const std::string& source) {
  platform::shell::FileOperation operation;
  operation.func = platform::shell::FO_COPY;
  std::string folder = ResolveAgainstFolder(source, RunnerFolder());
  if (!folder.ends_with('\\') && files::DirectoryExists(folder)) folder += '\\';
  operation.from = {folder + "*.*"};
  AppendBackslashToDestination();
  operation.to = Destination();
  operation.flags = platform::shell::FOF_ALLOWUNDO;
  return platform::shell::SHFileOperation(operation) == 0;
}

// An archive that could not be unpacked ends the item with the reason in
// the application's error box: nothing may look installed that is not.
bool TForm3::UnpackSourceArchive(const std::string& source) {
  ArchiveControl1->SetFileName(ResolveAgainstFolder(source, RunnerFolder()));
  ArchiveControl1->SetBufferSize(static_cast<std::uint32_t>(ArchiveControl1->Count()) * 100);
  std::int32_t libraryResult = 0;
  ArchiveControl1->OnEnd = [&libraryResult](archive::TArchiveControl*, archive::TArcOperation,
                                            std::int32_t value) { libraryResult = value; };
  struct ForgetOnEnd {
    archive::TArchiveControl* control;
    ~ForgetOnEnd() { control->OnEnd = nullptr; }
  } forget{ArchiveControl1};
  const std::uint8_t result = ArchiveControl1->Extract(Destination(), {"*.*"});
  if (result != 0) throw std::runtime_error(UnpackFailureText(source, result, libraryResult));
  return true;
}

// A shortcut in a shell folder ("Desktop", "Programs") to a file of the
// destination; a target that would point outside it is never linked.
void TForm3::OfferShortcut(const std::string& target, const char* question,
                           const char* shellFolder) {
  if (!IsInsideRelativePath(target)) return;
  if (!ui::Confirm(question)) return;
  const std::string folder = platform::shell::RegQueryShellFolder(shellFolder);
  if (folder.empty()) return;
  if (!files::DirectoryExists(folder)) files::ForceDirectories(folder);
  AppendBackslashToDestination();
  const std::string name = LinkName(target);
  if (name.empty()) return;
  platform::shell::ShellLink link;
  link.SetPath(Destination() + target);
  link.SetWorkingDirectory("");
  link.SetDescription(name);
  link.Save(files::IncludeTrailingBackslash(folder) + name + ".lnk", true);
}

// The hidden list shows the installed folder: the source's own folder
// below the destination when the copy made one, else the destination. A
// source reaching out of the destination ("..\data\") never points it at
// a folder the item did not install into.
void TForm3::PointFileList(const std::string& source) {
  const std::string below = Destination() + source;
  const bool inside = IsInsideRelativePath(source) && files::DirectoryExists(below);
  FileListBox1->SetDirectory(inside ? below : Destination());
}

bool TForm3::ReadOnlyFlag(int n) const {
  return n <= kItems ? ClearReadOnly1[n] : ClearReadOnly2[n - kItems];
}

void TForm3::ClearReadOnlyFiles(int n) {
  if (!ReadOnlyFlag(n)) return;
  AppendBackslashToDestination();
  FileListBox1->SetItemIndex(0);
  Form4->Show();
  // Closed also when a file operation throws, so it never stays behind.
  struct CloseOnExit {
    ~CloseOnExit() { Form4->Close(); }
  } closeOnExit;
  const auto& names = FileListBox1->Items();
  if (names.empty()) return;  // nothing to change; the bar has no range
  Form4->ProgressBar1->SetMax(static_cast<int>(names.size()) - 1);
  const std::string folder = files::IncludeTrailingBackslash(FileListBox1->Directory());
  for (std::size_t i = 0; i < names.size(); ++i) {
    Form4->ProgressBar1->SetPosition(static_cast<int>(i));
    const std::string path = folder + names[i];
    const std::uint32_t attributes = files::GetFileAttributes(path);
    if (attributes != files::kInvalidAttributes && (attributes & files::kAttrReadOnly)) {
      files::SetFileAttributes(path, attributes & ~files::kAttrReadOnly);
    }
  }
}

void TForm3::BitBtn16Click() {
  std::string folder;
  ChooseFolder(folder);
  Edit1->SetText(folder);
}

void TForm3::ChooseFolder(std::string& folder) { folder = ui::BrowseForFolder(kFolderPrompt); }

}  // namespace tobrinplay
