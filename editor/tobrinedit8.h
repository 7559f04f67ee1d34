// Holds the menu timer.
#pragma once

#include <array>

#include "editor/holder.h"

namespace tobrinedit {

class TForm8 : public ui::Form {
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

  decltype(SettingsModel::TimerEnabled) TimerEnabled{};
  decltype(SettingsModel::TimerSeconds) TimerSeconds{};
  decltype(SettingsModel::TimerAction) TimerAction{};
  decltype(SettingsModel::TimerFile) TimerFile{};
  // The file as the author gave it, drive and all, so that a save can
  // store it relative to the disc folder; not a setting.
  std::string TimerFileChosen;

  void StoreSettings(SettingsModel& model) const { Exchange(*this, model, CopyIntoSetting{}); }
  void LoadSettings(const SettingsModel& model) {
    Exchange(*this, model, CopyIntoField{});
    TimerFileChosen = TimerFile;
  }

 private:
  template <class Form, class Model, class Copy>
  static void Exchange(Form& form, Model& model, Copy copy) {
    copy(form.TimerEnabled, model.TimerEnabled);
    copy(form.TimerSeconds, model.TimerSeconds);
    copy(form.TimerAction, model.TimerAction);
    copy(form.TimerFile, model.TimerFile);
  }
};

extern TForm8* Form8;

}  // namespace tobrinedit
