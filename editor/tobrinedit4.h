// Holds the opening.
#pragma once

#include <array>

#include "editor/holder.h"
#include "platform/ui/ui.h"

namespace tobrinedit {

class TForm4 : public ui::Form, public SettingsHolder<settings::OpeningSettings> {
 public:
  TForm4();

  ui::CheckBox* CheckBox1;      // the opening is used
  ui::RadioGroup* RadioGroup1;  // picture or movie
  ui::Label* Label1;
  ui::Edit* Edit1;  // picture
  ui::Button* Button1;
  ui::CheckBox* CheckBox2;  // the window takes the picture's size
  ui::Label* Label2;
  ui::Edit* Edit2;  // music
  ui::Button* Button2;
  ui::Label* Label3;
  ui::SpinEdit* SpinEdit1;  // seconds
  ui::Label* Label4;
  ui::Edit* Edit3;  // movie
  ui::Button* Button5;
  ui::Button* Button6;  // preview
  ui::MediaPlayer* MediaPlayer1;
  ui::Button* Button3;  // OK
  ui::Button* Button4;  // キャンセル
  ui::OpenPictureDialog* OpenPictureDialog1;
  ui::OpenDialog* OpenDialog1;  // music and movie

  // What the enabling rule switches: the picture's controls and the movie's.
  std::array<ui::Control*, 9> PictureControls{};
  std::array<ui::Control*, 3> MovieControls{};

  void FormShow();
  void Button3Click();
  void CheckBox1Click();
  void RadioGroup1Click();
  void Button1Click();
  void Button2Click();
  void Button5Click();
  void SpinEdit1Change();
  void Button6Click();
  void MediaPlayer1Exit();

  // The files as the author gave them, folders and all, so that a save
  // can store them relative to the disc folder; not settings.
  std::string OpeningImageChosen, OpeningMusicChosen, OpeningMovieChosen;

  void LoadSettings(const SettingsModel& model) {
    SettingsHolder::LoadSettings(model);
    OpeningImageChosen = OpeningImage;
    OpeningMusicChosen = OpeningMusic;
    OpeningMovieChosen = OpeningMovie;
  }

 private:
  void CreatePictureControls();
  void CreateMovieControls();
  void CreateButtons();
  void EnableKindControls();
};

extern TForm4* Form4;

}  // namespace tobrinedit
