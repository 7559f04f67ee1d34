// A dialog form that holds settings inherits their struct, so that each
// setting is a field of the form under its own name; the form's part of
// the model is copied in and out whole.
#pragma once

#include "settings/SettingsFile.h"

namespace tobrinedit {

using settings::SettingsModel;

template <class Settings>
struct SettingsHolder : Settings {
  void StoreSettings(SettingsModel& model) const { static_cast<Settings&>(model) = *this; }
  void LoadSettings(const SettingsModel& model) { static_cast<Settings&>(*this) = model; }
};

}  // namespace tobrinedit
