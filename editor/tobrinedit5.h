// Holds the one-line message and the menu window's title.
#pragma once

#include "editor/holder.h"

namespace tobrinedit {

class TForm5 : public ui::Form {
 public:
  TForm5();

  decltype(SettingsModel::OneLineMessage) OneLineMessage{};
  decltype(SettingsModel::OneLineColor) OneLineColor{};
  decltype(SettingsModel::WindowTitle) WindowTitle{};

  void StoreSettings(SettingsModel& model) const { Exchange(*this, model, CopyIntoSetting{}); }
  void LoadSettings(const SettingsModel& model) { Exchange(*this, model, CopyIntoField{}); }

 private:
  template <class Form, class Model, class Copy>
  static void Exchange(Form& form, Model& model, Copy copy) {
    copy(form.OneLineMessage, model.OneLineMessage);
    copy(form.OneLineColor, model.OneLineColor);
    copy(form.WindowTitle, model.WindowTitle);
  }
};

extern TForm5* Form5;

}  // namespace tobrinedit
