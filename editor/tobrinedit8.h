// Holds the menu timer.
#pragma once

#include "editor/holder.h"

namespace tobrinedit {

class TForm8 : public ui::Form {
 public:
  TForm8();

  decltype(SettingsModel::TimerEnabled) TimerEnabled{};
  decltype(SettingsModel::TimerSeconds) TimerSeconds{};
  decltype(SettingsModel::TimerAction) TimerAction{};
  decltype(SettingsModel::TimerFile) TimerFile{};

  void StoreSettings(SettingsModel& model) const { Exchange(*this, model, CopyIntoSetting{}); }
  void LoadSettings(const SettingsModel& model) { Exchange(*this, model, CopyIntoField{}); }

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
