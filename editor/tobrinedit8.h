// Holds the menu timer.
#pragma once

#include <array>

#include "editor/holder.h"
#include "platform/ui/ui.h"

namespace tobrinedit {

class TForm8 : public ui::Form, public SettingsHolder<settings::TimerSettings> {
 public:
  TForm8();

  ui::CheckBox* CheckBox1;  // the timer is on
  ui::Label* Label1;
  ui::SpinEdit* SpinEdit1;      // seconds
  ui::RadioGroup* RadioGroup1;  // action
  ui::Label* Label2;
  ui::Edit* Edit1;  // file to run
  ui::Button* Button2;
  ui::Button* Button1;  // OK
  ui::Button* Button3;  // キャンセル
  ui::OpenDialog* OpenDialog1;
  // Enabled exactly while the timer is on.
  std::array<ui::Control*, 5> SwitchedControls{};

  void FormShow();
  void Button1Click();
  void CheckBox1Click();
  void Button2Click();
  void SpinEdit1Change();

  // The file as the author gave it, drive and all, so that a save can
  // store it relative to the disc folder; not a setting.
  std::string TimerFileChosen;

  void LoadSettings(const SettingsModel& model) {
    SettingsHolder::LoadSettings(model);
    TimerFileChosen = TimerFile;
  }
};

extern TForm8* Form8;

}  // namespace tobrinedit
