// Edits the message of one menu button; holds the messages of the menu
// buttons of both pages.
#pragma once

#include "editor/message_editor.h"

namespace tobrinedit {

class TForm3 : public TMessageEditor {
 public:
  TForm3();

  decltype(SettingsModel::MessageLines1) MessageLines1{};
  decltype(SettingsModel::MessageTip1) MessageTip1{};
  decltype(SettingsModel::MessageColor1) MessageColor1{};
  decltype(SettingsModel::MessageLines2) MessageLines2{};
  decltype(SettingsModel::MessageTip2) MessageTip2{};
  decltype(SettingsModel::MessageColor2) MessageColor2{};

  void StoreSettings(SettingsModel& model) const { Exchange(*this, model, CopyIntoSetting{}); }
  void LoadSettings(const SettingsModel& model) { Exchange(*this, model, CopyIntoField{}); }

 private:
  template <class Form, class Model, class Copy>
  static void Exchange(Form& form, Model& model, Copy copy) {
    copy(form.MessageLines1, model.MessageLines1);
    copy(form.MessageTip1, model.MessageTip1);
    copy(form.MessageColor1, model.MessageColor1);
    copy(form.MessageLines2, model.MessageLines2);
    copy(form.MessageTip2, model.MessageTip2);
    copy(form.MessageColor2, model.MessageColor2);
  }
};

extern TForm3* Form3;

}  // namespace tobrinedit
