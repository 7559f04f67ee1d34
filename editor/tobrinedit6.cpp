#include "editor/tobrinedit6.h"

#include <optional>

#include "editor/dialog_parts.h"
#include "editor/tobrinedit1.h"
#include "editor/tobrinedit11.h"
#include "editor/tobrinedit9.h"
#include "platform/files/files.h"

namespace tobrinedit {

TForm6* Form6 = nullptr;

namespace {

constexpr const char* kArchiveFilter =
    "圧縮ファイル|*.lzh;*.zip;*.cab;*.arj;*.tar;*.rar|すべてのファイル|*.*|";
constexpr const char* kChooseSourceFolder = "移動先のフォルダを選択してください";
constexpr const char* kUnmappedDestination =
    "このコピー先はどのドライブにも対応しないため、指定できません。\r\n";

// Row r lies 24 pixels below row r - 1; columns from left to right.
constexpr int kFirstRowTop = 32;
constexpr int kRowPitch = 24;
constexpr int kRowHeight = 21;
constexpr int kNumberLeft = 6;
constexpr int kNameLeft = 24, kNameWidth = 99;
constexpr int kSourceLeft = 127, kSourceWidth = 173;
constexpr int kBrowseLeft = 304, kBrowseWidth = 37;
constexpr int kArchiveLeft = 347, kArchiveWidth = 125;
constexpr int kMessageLeft = 475, kMessageWidth = 95;
constexpr int kShortcutLeft = 573, kShortcutWidth = 109;
constexpr int kGroupLeft = 688, kGroupTop = 12, kGroupWidth = 145;

int RowTop(int row) { return kFirstRowTop + kRowPitch * (row - 1); }

// "１" .. "１４": full-width digits.
std::string FullWidthNumber(int number) {
  static const char* const kDigits[] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
  std::string text;
  for (char digit : std::to_string(number)) text += kDigits[digit - '0'];
  return text;
}

std::string Numbered(const char* prefix, int number) { return prefix + std::to_string(number); }

}  // namespace

TForm6::TForm6() : Form("Form6") {
  SetUpDialogWindow(*this, "簡易セットアップの設定", 839, 460);
  CreateHeadings();
  for (int row = 1; row <= kRows; ++row) CreateRow(row);
  CreateBottom();
  OnShow = [this] { FormShow(); };
  FormCreate();
}

void TForm6::CreateHeadings() {
  Label1 = new ui::Label(this, "Label1");
  Label1->SetBounds(kNameLeft, 14, 0, 0);
  Label1->SetCaption("ボタンの名前");
  Label2 = new ui::Label(this, "Label2");
  Label2->SetBounds(kSourceLeft, 14, 0, 0);
  Label2->SetCaption("コピーするフォルダ／圧縮ファイル");
  GroupBox1 = new ui::GroupBox(this, "GroupBox1");
  GroupBox1->SetBounds(kGroupLeft, kGroupTop, kGroupWidth, RowTop(kRows) + 30 - kGroupTop);
  GroupBox1->SetCaption("読みとり専用属性の解除");
}

void TForm6::CreateRow(int row) {
  const int top = RowTop(row);
  RowLabels[row] = new ui::Label(this, Numbered("Label", row + 2));
  RowLabels[row]->SetBounds(kNumberLeft, top + 4, 0, 0);
  RowLabels[row]->SetCaption(FullWidthNumber(row));

  NameEdits[row] = new ui::Edit(this, Numbered("Edit", 2 * row - 1));
  NameEdits[row]->SetBounds(kNameLeft, top, kNameWidth, kRowHeight);
  SourceEdits[row] = new ui::Edit(this, Numbered("Edit", 2 * row));
  SourceEdits[row]->SetBounds(kSourceLeft, top, kSourceWidth, kRowHeight);

  BrowseButtons[row] = new ui::Button(this, Numbered("Button", 2 * row - 1));
  BrowseButtons[row]->SetBounds(kBrowseLeft, top, kBrowseWidth, kRowHeight);
  BrowseButtons[row]->SetCaption("参照");
  BrowseButtons[row]->OnClick = [this, row] { BrowseClick(row); };

  ArchiveBoxes[row] = new ui::CheckBox(this, Numbered("CheckBox", row));
  ArchiveBoxes[row]->SetBounds(kArchiveLeft, top + 2, kArchiveWidth, 17);
  ArchiveBoxes[row]->SetCaption("圧縮ファイルを指定");

  MessageButtons[row] = new ui::Button(this, Numbered("Button", 2 * row));
  MessageButtons[row]->SetBounds(kMessageLeft, top, kMessageWidth, kRowHeight);
  MessageButtons[row]->SetCaption("メッセージの編集");
  MessageButtons[row]->OnClick = [this, row] { MessageClick(row); };

  ShortcutButtons[row] = new ui::BitBtn(this, Numbered("BitBtn", row));
  ShortcutButtons[row]->SetBounds(kShortcutLeft, top, kShortcutWidth, kRowHeight);
  ShortcutButtons[row]->SetCaption("ショートカットの設定");
  ShortcutButtons[row]->OnClick = [this, row] { ShortcutClick(row); };

  ReadOnlyBoxes[row] = new ui::CheckBox(GroupBox1, Numbered("CheckBox", kRows + row));
  ReadOnlyBoxes[row]->SetBounds(16, top + 2 - kGroupTop, kGroupWidth - 24, 17);
  ReadOnlyBoxes[row]->SetCaption("解除する");
}

void TForm6::CreateBottom() {
  const int bottom = RowTop(kRows) + kRowPitch;  // below the last row
  CheckBox29 = new ui::CheckBox(this, "CheckBox29");
  CheckBox29->SetBounds(kGroupLeft + 16, bottom + 10, kGroupWidth - 16, 17);
  CheckBox29->SetCaption("↑全てチェック");
  CheckBox29->OnClick = [this] { CheckBox29Click(); };

  Label17 = new ui::Label(this, "Label17");
  Label17->SetBounds(kNameLeft, bottom + 10, 0, 0);
  Label17->SetCaption("ファイルコピー先(初期表示)");
  Edit29 = new ui::Edit(this, "Edit29");
  Edit29->SetBounds(kNameLeft, bottom + 26, kSourceLeft + kSourceWidth - kNameLeft, kRowHeight);
  Label18 = new ui::Label(this, "Label18");
  Label18->SetBounds(kNameLeft, bottom + 54, 0, 0);

  // Page switch, OK and Cancel in a row at the bottom right.
  const int buttonTop = bottom + 54;
  Button29 = new ui::Button(this, "Button29");
  Button29->SetBounds(546, buttonTop, 121, 25);
  Button29->SetCaption("２ページ目を編集");
  Button29->OnClick = [this] { Button29Click(); };
  Button31 = AddOkButton(this, "Button31", 675, buttonTop, 75);
  Button31->OnClick = [this] { Button31Click(); };
  Button30 = AddCancelButton(this, "Button30", 758, buttonTop);

  OpenDialog1 = new ui::OpenDialog(this, "OpenDialog1");
}

void TForm6::FormCreate() {
  Label18->SetCaption(
      "スイッチ一覧\r\n「ファイルのコピー先」で「%s%」=OSがインストールされているドライブ");
  SettingsModel model;
  const platform::IniFile settingsFile(OwnFolder() + settings::kSettingsFileName);
  constexpr int kIsArchive1Row = 38, kIsArchive2Row = 39;
  settings::ReadRows(settingsFile, model, settings::Reader::Editor, kIsArchive1Row, kIsArchive2Row);
  IsArchive1 = model.IsArchive1;
  IsArchive2 = model.IsArchive2;
}

TForm6::PageFields TForm6::Page(int page) {
  if (page == 2) {
    return {SetupNames2, SetupSources2, IsArchive2, ClearReadOnly2, ClearReadOnlyAll[2]};
  }
  return {SetupNames1, SetupSources1, IsArchive1, ClearReadOnly1, ClearReadOnlyAll[1]};
}

void TForm6::StorePage(int page) {
  const PageFields fields = Page(page);
  for (int row = 1; row <= kRows; ++row) {
    fields.names[row] = NameEdits[row]->Text();
    fields.sources[row] = SourceEdits[row]->Text();
    fields.isArchive[row] = ArchiveBoxes[row]->Checked();
    fields.clearReadOnly[row] = ReadOnlyBoxes[row]->Checked();
  }
  fields.clearReadOnlyAll = CheckBox29->Checked();
}

// The check-all box first: its change sets all 14 boxes, which the
// stored per-row flags then overwrite, so none of them is lost.
void TForm6::LoadPage(int page) {
  const PageFields fields = Page(page);
  for (int row = 1; row <= kRows; ++row) {
    NameEdits[row]->SetText(fields.names[row]);
    SourceEdits[row]->SetText(fields.sources[row]);
    ArchiveBoxes[row]->SetChecked(fields.isArchive[row]);
  }
  CheckBox29->SetChecked(fields.clearReadOnlyAll);
  for (int row = 1; row <= kRows; ++row) {
    ReadOnlyBoxes[row]->SetChecked(fields.clearReadOnly[row]);
  }
}

// Either page is refilled from its settings, so stale rows never reach
// the settings of page 2 at OK.
void TForm6::FormShow() {
  Edit29->SetText(CopyDestination);
  LoadPage(ShownPage());
}

void TForm6::Button29Click() {
  const int shown = ShownPage();
  const int other = 3 - shown;
  SetCaption(other == 2 ? "簡易セットアップの編集（２ページ目）"
                        : "簡易セットアップの編集（１ページ目）");
  Button29->SetCaption(other == 2 ? "１ページ目を編集" : "２ページ目を編集");
  StorePage(shown);
  LoadPage(other);
  ShowingPage2 = other == 2;
}

// A destination typed in POSIX form is stored in the drive form the
// runner reads; one that no drive holds, or that the settings file cannot
// hold, keeps the dialog open with the reason.
void TForm6::Button31Click() {
  const std::optional<std::string> destination = platform::files::DriveForm(Edit29->Text());
  if (!destination) {
    SetModalResult(ui::mrNone);
    ui::ShowMessage(kUnmappedDestination + Edit29->Text());
    return;
  }
  if (!AcceptChosenPath(*destination)) {
    SetModalResult(ui::mrNone);
    return;
  }
  CopyDestination = *destination;
  StorePage(ShownPage());
}

void TForm6::CheckBox29Click() {
  const bool checked = CheckBox29->Checked();
  for (int row = 1; row <= kRows; ++row) {
    if (auto* box = Find<ui::CheckBox>(Numbered("checkbox", kRows + row))) box->SetChecked(checked);
  }
}

// An archive row asks for a file, any other row for a folder; a cancelled
// choice leaves the box as it was.
void TForm6::BrowseClick(int row) {
  std::string chosen;
  if (ArchiveBoxes[row]->Checked()) {
    OpenDialog1->Filter = kArchiveFilter;
    if (!OpenDialog1->Execute()) return;
    chosen = OpenDialog1->FileName;
  } else {
    chosen = ui::BrowseForFolder(kChooseSourceFolder);
    if (chosen.empty()) return;
  }
  if (AcceptChosenPath(chosen)) SourceEdits[row]->SetText(chosen);
}

void TForm6::MessageClick(int row) {
  SetupPage = ShownPage();
  SetupRow = row;
  Form9->ShowModal();
}

void TForm6::ShortcutClick(int row) {
  SetupRow = row;
  Form11->ShowModal();
}

}  // namespace tobrinedit
