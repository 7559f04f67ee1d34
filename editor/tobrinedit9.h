// Edits the message of one simple-setup item; holds the messages of the
// setup items of both pages.
#pragma once

#include "editor/message_editor.h"

namespace tobrinedit {

class TForm9 : public TMessageEditor {
 public:
  TForm9();

  decltype(SettingsModel::SetupMessageLines1) SetupMessageLines1{};
  decltype(SettingsModel::SetupMessageLines2) SetupMessageLines2{};
  decltype(SettingsModel::SetupMessageTip1) SetupMessageTip1{};
  decltype(SettingsModel::SetupMessageTip2) SetupMessageTip2{};
  decltype(SettingsModel::SetupMessageColor1) SetupMessageColor1{};
  decltype(SettingsModel::SetupMessageColor2) SetupMessageColor2{};

  void StoreSettings(SettingsModel& model) const { Exchange(*this, model, CopyIntoSetting{}); }
  void LoadSettings(const SettingsModel& model) { Exchange(*this, model, CopyIntoField{}); }

 private:
  template <class Form, class Model, class Copy>
  static void Exchange(Form& form, Model& model, Copy copy) {
    copy(form.SetupMessageLines1, model.SetupMessageLines1);
    copy(form.SetupMessageLines2, model.SetupMessageLines2);
    copy(form.SetupMessageTip1, model.SetupMessageTip1);
    copy(form.SetupMessageTip2, model.SetupMessageTip2);
    copy(form.SetupMessageColor1, model.SetupMessageColor1);
    copy(form.SetupMessageColor2, model.SetupMessageColor2);
  }
};

extern TForm9* Form9;

}  // namespace tobrinedit
