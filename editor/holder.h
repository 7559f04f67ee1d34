// The dialog forms hold the settings model as plain fields under the
// setting names; each form lists its settings once, in an Exchange
// function that both directions of copying use.
#pragma once

#include "settings/SettingsFile.h"

namespace tobrinedit {

using settings::SettingsModel;

// Field := setting (loading) and setting := field (saving).
struct CopyIntoField {
  template <class Field, class Setting>
  void operator()(Field& field, const Setting& setting) const {
    field = setting;
  }
};
struct CopyIntoSetting {
  template <class Field, class Setting>
  void operator()(const Field& field, Setting& setting) const {
    setting = field;
  }
};

}  // namespace tobrinedit

#include <string>

#include "platform/ui/ui.h"

namespace tobrinedit {

// The frame every editor dialog shares: fixed single border, system menu
// and minimise box, centred on the desktop.
inline void SetUpDialogWindow(ui::Form& form, std::string caption, int clientWidth,
                              int clientHeight) {
  form.SetCaption(std::move(caption));
  form.SetBorderStyle(ui::bsSingle);
  form.SetBorderIcons(ui::biSystemMenu | ui::biMinimize);
  form.SetClientWidth(clientWidth);
  form.SetClientHeight(clientHeight);
  form.SetPosition(ui::poDesktopCenter);
}

}  // namespace tobrinedit
