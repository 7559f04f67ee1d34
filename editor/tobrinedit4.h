// Holds the opening.
#pragma once

#include "editor/holder.h"

namespace tobrinedit {

class TForm4 : public ui::Form {
 public:
  TForm4();

  decltype(SettingsModel::OpeningEnabled) OpeningEnabled{};
  decltype(SettingsModel::OpeningKind) OpeningKind{};
  decltype(SettingsModel::OpeningImage) OpeningImage{};
  decltype(SettingsModel::OpeningFitWindow) OpeningFitWindow{};
  decltype(SettingsModel::OpeningMusic) OpeningMusic{};
  decltype(SettingsModel::OpeningSeconds) OpeningSeconds{};
  decltype(SettingsModel::OpeningMovie) OpeningMovie{};

  void StoreSettings(SettingsModel& model) const { Exchange(*this, model, CopyIntoSetting{}); }
  void LoadSettings(const SettingsModel& model) { Exchange(*this, model, CopyIntoField{}); }

 private:
  template <class Form, class Model, class Copy>
  static void Exchange(Form& form, Model& model, Copy copy) {
    copy(form.OpeningEnabled, model.OpeningEnabled);
    copy(form.OpeningKind, model.OpeningKind);
    copy(form.OpeningImage, model.OpeningImage);
    copy(form.OpeningFitWindow, model.OpeningFitWindow);
    copy(form.OpeningMusic, model.OpeningMusic);
    copy(form.OpeningSeconds, model.OpeningSeconds);
    copy(form.OpeningMovie, model.OpeningMovie);
  }
};

extern TForm4* Form4;

}  // namespace tobrinedit
