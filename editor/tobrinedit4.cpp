#include "editor/tobrinedit4.h"

#include "editor/dialog_parts.h"
#include "platform/files/files.h"

namespace tobrinedit {

TForm4* Form4 = nullptr;

namespace {

constexpr const char* kMusicFilter = "音楽ファイル(*.wav,*.mid)|*.wav;*.mid|";
constexpr const char* kMovieFilter = "動画ファイル(*.mpg,*.avi)|*.mpg;*.avi|";
constexpr int kPictureKind = 0;

ui::Label* NewLabel(ui::Form* form, const char* name, int left, int top, const char* caption) {
  auto* label = new ui::Label(form, name);
  label->SetBounds(left, top, 0, 0);
  label->SetCaption(caption);
  return label;
}

ui::Button* NewButton(ui::Form* form, const char* name, int left, int top, int width,
                      const char* caption) {
  auto* button = new ui::Button(form, name);
  button->SetBounds(left, top, width, 21);
  button->SetCaption(caption);
  return button;
}

// A file is stored by its name; the box's text is remembered as chosen
// unless the box still shows the stored setting.
std::string StoredName(const ui::Edit& box, const std::string& stored, std::string& chosen) {
  if (box.Text() != stored) chosen = box.Text();
  return platform::files::ExtractFileName(box.Text());
}

// The box keeps its text when the author cancels.
void BrowseInto(ui::OpenDialog& dialog, ui::Edit& box) {
  if (dialog.Execute() && AcceptChosenPath(dialog.FileName)) box.SetText(dialog.FileName);
}

}  // namespace

TForm4::TForm4() : Form("Form4") {
  SetUpDialogWindow(*this, "オープニングの設定", 440, 295);
  CheckBox1 = new ui::CheckBox(this, "CheckBox1");
  CheckBox1->SetBounds(8, 8, 161, 17);
  CheckBox1->SetCaption("オープニングを使用する");
  RadioGroup1 = new ui::RadioGroup(this, "RadioGroup1");
  RadioGroup1->SetBounds(8, 30, 185, 41);
  RadioGroup1->SetCaption("オープニングの種類");
  RadioGroup1->SetColumns(2);
  RadioGroup1->SetItems({"画像", "動画"});
  RadioGroup1->SetItemIndex(kPictureKind);
  CreatePictureControls();
  CreateMovieControls();
  CreateButtons();
  OpenPictureDialog1 = new ui::OpenPictureDialog(this, "OpenPictureDialog1");
  OpenDialog1 = new ui::OpenDialog(this, "OpenDialog1");

  // As designed: the opening off, every switched control disabled.
  CheckBox1Click();
  CheckBox1->OnClick = [this] { CheckBox1Click(); };
  RadioGroup1->OnClick = [this] { RadioGroup1Click(); };
  OnShow = [this] { FormShow(); };
  // However the dialog closes, the preview ends with it.
  OnHide = [this] { MediaPlayer1->Close(); };
}

void TForm4::CreatePictureControls() {
  Label1 = NewLabel(this, "Label1", 8, 78, "オープニング時の画像");
  Edit1 = new ui::Edit(this, "Edit1");
  Edit1->SetBounds(8, 94, 361, 21);
  Button1 = NewButton(this, "Button1", 376, 94, 57, "参照");
  Button1->OnClick = [this] { Button1Click(); };
  CheckBox2 = new ui::CheckBox(this, "CheckBox2");
  CheckBox2->SetBounds(8, 120, 425, 17);
  CheckBox2->SetCaption(
      "画像にウィンドウサイズを合わせる（通常はウィンドウサイズに画像を合わせます。）");
  Label2 = NewLabel(this, "Label2", 8, 142, "オープニング時に流す音楽");
  Edit2 = new ui::Edit(this, "Edit2");
  Edit2->SetBounds(8, 158, 361, 21);
  Button2 = NewButton(this, "Button2", 376, 158, 57, "参照");
  Button2->OnClick = [this] { Button2Click(); };
  Label3 = NewLabel(this, "Label3", 8, 190, "表示時間（秒）");
  SpinEdit1 = new ui::SpinEdit(this, "SpinEdit1");
  SpinEdit1->SetBounds(96, 186, 65, 22);
  SpinEdit1->SetMinValue(1);
  SpinEdit1->SetMaxValue(600);
  SpinEdit1->SetValue(1);
  SpinEdit1->OnChange = [this] { SpinEdit1Change(); };
  PictureControls = {Label1, Edit1, Button1, CheckBox2, Label2, Edit2, Button2, Label3, SpinEdit1};
}

void TForm4::CreateMovieControls() {
  Label4 = NewLabel(this, "Label4", 8, 218, "動画ファイル");
  Edit3 = new ui::Edit(this, "Edit3");
  Edit3->SetBounds(8, 234, 289, 21);
  Button5 = NewButton(this, "Button5", 304, 234, 57, "参照");
  Button5->OnClick = [this] { Button5Click(); };
  MovieControls = {Label4, Edit3, Button5};
  Button6 = NewButton(this, "Button6", 368, 234, 65, "プレビュー");
  Button6->OnClick = [this] { Button6Click(); };
  MediaPlayer1 = new ui::MediaPlayer(this, "MediaPlayer1");
  MediaPlayer1->SetBounds(8, 262, 253, 30);
  MediaPlayer1->OnExit = [this] { MediaPlayer1Exit(); };
}

void TForm4::CreateButtons() {
  Button3 = AddOkButton(this, "Button3", 276, 265, 75);
  Button3->OnClick = [this] { Button3Click(); };
  Button4 = AddCancelButton(this, "Button4", 358, 265);
}

void TForm4::FormShow() {
  CheckBox1->SetChecked(OpeningEnabled);
  CheckBox2->SetChecked(OpeningFitWindow);
  Edit1->SetText(OpeningImage);
  Edit2->SetText(OpeningMusic);
  SpinEdit1->SetText(std::to_string(OpeningSeconds));
  RadioGroup1->SetItemIndex(OpeningKind);
  Edit3->SetText(OpeningMovie);
  CheckBox1Click();
}

// A text that is no integer stops OK before anything is stored, and the
// dialog stays open.
void TForm4::Button3Click() {
  const int seconds = IntegerOf(*SpinEdit1, *this);
  OpeningEnabled = CheckBox1->Checked();
  OpeningFitWindow = CheckBox2->Checked();
  OpeningImage = StoredName(*Edit1, OpeningImage, OpeningImageChosen);
  OpeningMusic = StoredName(*Edit2, OpeningMusic, OpeningMusicChosen);
  OpeningSeconds = seconds;
  // A group that shows no item (a stored kind it has no button for)
  // leaves the kind as it was.
  if (RadioGroup1->ItemIndex() >= 0) OpeningKind = RadioGroup1->ItemIndex();
  OpeningMovie = StoredName(*Edit3, OpeningMovie, OpeningMovieChosen);
  MediaPlayer1->Close();
}

void TForm4::CheckBox1Click() {
  const bool enabled = CheckBox1->Checked();
  RadioGroup1->SetEnabled(enabled);
  if (enabled) {
    EnableKindControls();
    return;
  }
  for (ui::Control* control : PictureControls) control->SetEnabled(false);
  for (ui::Control* control : MovieControls) control->SetEnabled(false);
}

void TForm4::RadioGroup1Click() { EnableKindControls(); }

void TForm4::EnableKindControls() {
  const bool picture = RadioGroup1->ItemIndex() == kPictureKind;
  for (ui::Control* control : PictureControls) control->SetEnabled(picture);
  for (ui::Control* control : MovieControls) control->SetEnabled(!picture);
}

void TForm4::Button1Click() { BrowseInto(*OpenPictureDialog1, *Edit1); }

void TForm4::Button2Click() {
  OpenDialog1->Filter = kMusicFilter;
  BrowseInto(*OpenDialog1, *Edit2);
}

void TForm4::Button5Click() {
  OpenDialog1->Filter = kMovieFilter;
  BrowseInto(*OpenDialog1, *Edit3);
}

void TForm4::SpinEdit1Change() {
  if (SpinEdit1->Text().empty()) SpinEdit1->SetText("1");
}

// The movie plays in a window of its own; a file that cannot be opened
// reports why in the error box.
void TForm4::Button6Click() {
  MediaPlayer1->FileName = Edit3->Text();
  MediaPlayer1->Open();
  MediaPlayer1->Play();
}

void TForm4::MediaPlayer1Exit() { MediaPlayer1->Close(); }

}  // namespace tobrinedit
