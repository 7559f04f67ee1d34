#include "runner/tobrinplay1.h"

#include <exception>

#include "platform/files/files.h"
#include "platform/profile/profile.h"
#include "runner/RunnerPaths.h"
#include "runner/tobrinplay2.h"
#include "settings/SettingsFile.h"

namespace tobrinplay {

TForm1* Form1 = nullptr;

namespace {

// Section "opening" of the settings file, read afresh by each handler.
settings::SettingsModel ReadOpening() {
  settings::SettingsModel opening;
  const platform::IniFile ini(SettingsFilePath());
  settings::ReadSection(ini, opening, settings::Reader::Runner, "opening");
  return opening;
}

// A file a setting names, in the runner's folder; "" when it is not there.
std::string DiscFile(const std::string& name) {
  std::string path = RunnerFolder() + name;
  return platform::files::FileExists(path) ? path : std::string{};
}

}  // namespace

TForm1::TForm1() : Form("Form1") {
  SetBorderStyle(ui::bsNone);
  SetClientWidth(332);
  SetClientHeight(305);
  SetColor(ui::clBtnFace);
  SetPosition(ui::poDesktopCenter);

  Image1 = new ui::Image(this, "Image1");
  Image1->SetBounds(0, 0, 337, 305);
  Image1->SetStretch(true);
  Image1->OnClick = [this] { Image1Click(); };

  Panel1 = new ui::Panel(this, "Panel1");
  Panel1->SetBounds(0, 0, 129, 41);
  Panel1->SetCaption("ファイルを読み込み中...");
  Panel1->SetVisible(false);
  Panel1->OnClick = [this] { Panel1Click(); };

  MediaPlayer1 = new ui::MediaPlayer(this, "MediaPlayer1");
  MediaPlayer1->SetVisible(false);
  MediaPlayer1->SetDisplay(Panel1);

  Timer1 = new ui::Timer(this, "Timer1");
  Timer1->SetInterval(1000);
  Timer1->OnTimer = [this] { Timer1Timer(); };

  OnShow = [this] { FormShow(); };
  OnPaint = [this] { FormPaint(); };
  FormCreate();
}

void TForm1::FormCreate() {
  const settings::SettingsModel opening = ReadOpening();
  OpeningKind = opening.OpeningKind;
  OpeningMovie = opening.OpeningMovie;
  if (!opening.OpeningEnabled) {
    Hide();  // the menu follows at the first paint
    return;
  }
  OpeningTicks = 0;
  if (OpeningKind == 0) ShowOpeningPicture(opening.OpeningImage, opening.OpeningFitWindow);
  if (OpeningKind == 1) PlayOpeningMovie();
}

void TForm1::ShowOpeningPicture(const std::string& fileName, bool fitWindow) {
  if (const std::string path = DiscFile(fileName); !path.empty()) {
    try {
      Image1->LoadFromFile(path);
    } catch (const std::exception&) {
      // A picture that cannot be loaded counts as missing.
    }
  }
  if (fitWindow) FitWindowToPicture();
}

void TForm1::FitWindowToPicture() {
  Image1->SetStretch(false);
  // Without a picture the window keeps its designed size rather than
  // shrinking to nothing.
  if (Image1->HasPicture()) {
    Image1->SetAutoSize(true);
    SetClientWidth(Image1->Left() + Image1->Width());
    SetClientHeight(Image1->Top() + Image1->Height());
  }
  SetPosition(ui::poDesktopCenter);
}

void TForm1::PlayOpeningMovie() {
  Timer1->SetEnabled(false);
  const std::string path = DiscFile(OpeningMovie);
  if (path.empty()) return;
  MediaPlayer1->FileName = path;
  ui::TRect rect;
  try {
    MediaPlayer1->Open();
    rect = MediaPlayer1->DisplayRect();
    MediaPlayer1->Play();
  } catch (const std::exception&) {
    MediaPlayer1->Close();  // a movie that cannot be played counts as missing
    return;
  }
  Panel1->SetWidth(rect.Right - rect.Left);
  Panel1->SetHeight(rect.Bottom - rect.Top);
  SetWidth(Panel1->Width());
  SetHeight(Panel1->Height());
  Panel1->SetVisible(true);
}

void TForm1::FormShow() {
  const settings::SettingsModel opening = ReadOpening();
  OpeningSeconds = opening.OpeningSeconds;
  if (OpeningKind != 0) return;
  const std::string music = DiscFile(opening.OpeningMusic);
  if (music.empty()) return;
  MediaPlayer1->FileName = music;
  try {
    MediaPlayer1->Open();
    MediaPlayer1->Play();
  } catch (const std::exception&) {
    MediaPlayer1->Close();  // music that cannot be played is left out
  }
}

void TForm1::FormPaint() {
  if (!ReadOpening().OpeningEnabled) ShowMenu();
}

void TForm1::Timer1Timer() {
  ++OpeningTicks;
  if (OpeningSeconds > OpeningTicks) return;
  ShowMenu();
}

void TForm1::Image1Click() { ShowMenu(); }

void TForm1::Panel1Click() {
  MediaPlayer1->Stop();
  ShowMenu();
}

// The opening's work ends here: a later tick would only bring the menu
// up again, restoring it when the user has minimised it.
void TForm1::ShowMenu() {
  Timer1->SetEnabled(false);
  Hide();
  // The hidden opening never shows its picture again.
  Image1->ClearPicture();
  Form2->Show();
}

}  // namespace tobrinplay
