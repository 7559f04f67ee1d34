// The window layout editor. Holds the placement of the menu buttons and
// the fixed buttons and the menu window's size.
#pragma once

#include "editor/holder.h"

namespace tobrinedit {

class TForm7 : public ui::Form {
 public:
  TForm7();

  decltype(SettingsModel::ButtonLeft) ButtonLeft{};
  decltype(SettingsModel::ButtonTop) ButtonTop{};
  decltype(SettingsModel::ButtonHeight) ButtonHeight{};
  decltype(SettingsModel::ButtonWidth) ButtonWidth{};
  decltype(SettingsModel::SetupButtonRect) SetupButtonRect{};
  decltype(SettingsModel::BrowseButtonRect) BrowseButtonRect{};
  decltype(SettingsModel::Page2ButtonRect) Page2ButtonRect{};
  decltype(SettingsModel::ExtraButtonRect) ExtraButtonRect{};
  decltype(SettingsModel::WindowHeight) WindowHeight{};
  decltype(SettingsModel::WindowWidth) WindowWidth{};

  void StoreSettings(SettingsModel& model) const { Exchange(*this, model, CopyIntoSetting{}); }
  void LoadSettings(const SettingsModel& model) { Exchange(*this, model, CopyIntoField{}); }

 private:
  template <class Form, class Model, class Copy>
  static void Exchange(Form& form, Model& model, Copy copy) {
    copy(form.ButtonLeft, model.ButtonLeft);
    copy(form.ButtonTop, model.ButtonTop);
    copy(form.ButtonHeight, model.ButtonHeight);
    copy(form.ButtonWidth, model.ButtonWidth);
    copy(form.SetupButtonRect, model.SetupButtonRect);
    copy(form.BrowseButtonRect, model.BrowseButtonRect);
    copy(form.Page2ButtonRect, model.Page2ButtonRect);
    copy(form.ExtraButtonRect, model.ExtraButtonRect);
    copy(form.WindowHeight, model.WindowHeight);
    copy(form.WindowWidth, model.WindowWidth);
  }
};

extern TForm7* Form7;

}  // namespace tobrinedit
