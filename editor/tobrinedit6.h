// The simple-setup settings. Holds the setup items of both pages and the
// destination folder.
#pragma once

#include "editor/holder.h"

namespace tobrinedit {

class TForm6 : public ui::Form {
 public:
  TForm6();

  // Reads the archive flags of the settings file beside the editor.
  void FormCreate();

  decltype(SettingsModel::CopyDestination) CopyDestination{};
  decltype(SettingsModel::SetupNames1) SetupNames1{};
  decltype(SettingsModel::SetupSources1) SetupSources1{};
  decltype(SettingsModel::SetupNames2) SetupNames2{};
  decltype(SettingsModel::SetupSources2) SetupSources2{};
  decltype(SettingsModel::DesktopLinks1) DesktopLinks1{};
  decltype(SettingsModel::DesktopLinks2) DesktopLinks2{};
  decltype(SettingsModel::StartMenuLinks1) StartMenuLinks1{};
  decltype(SettingsModel::StartMenuLinks2) StartMenuLinks2{};
  decltype(SettingsModel::IsArchive1) IsArchive1{};
  decltype(SettingsModel::IsArchive2) IsArchive2{};
  decltype(SettingsModel::ClearReadOnly1) ClearReadOnly1{};
  decltype(SettingsModel::ClearReadOnly2) ClearReadOnly2{};
  decltype(SettingsModel::ClearReadOnlyAll) ClearReadOnlyAll{};

  // Dialog state, never saved.
  int SetupPage = 0;
  int SetupRow = 0;
  bool ShowingPage2 = false;

  void StoreSettings(SettingsModel& model) const { Exchange(*this, model, CopyIntoSetting{}); }
  void LoadSettings(const SettingsModel& model) { Exchange(*this, model, CopyIntoField{}); }

 private:
  template <class Form, class Model, class Copy>
  static void Exchange(Form& form, Model& model, Copy copy) {
    copy(form.CopyDestination, model.CopyDestination);
    copy(form.SetupNames1, model.SetupNames1);
    copy(form.SetupSources1, model.SetupSources1);
    copy(form.SetupNames2, model.SetupNames2);
    copy(form.SetupSources2, model.SetupSources2);
    copy(form.DesktopLinks1, model.DesktopLinks1);
    copy(form.DesktopLinks2, model.DesktopLinks2);
    copy(form.StartMenuLinks1, model.StartMenuLinks1);
    copy(form.StartMenuLinks2, model.StartMenuLinks2);
    copy(form.IsArchive1, model.IsArchive1);
    copy(form.IsArchive2, model.IsArchive2);
    copy(form.ClearReadOnly1, model.ClearReadOnly1);
    copy(form.ClearReadOnly2, model.ClearReadOnly2);
    copy(form.ClearReadOnlyAll, model.ClearReadOnlyAll);
  }
};

extern TForm6* Form6;

}  // namespace tobrinedit
