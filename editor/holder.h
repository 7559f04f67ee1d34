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

#include <optional>
#include <stdexcept>
#include <string>

#include "platform/text/text.h"
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

// The number a seconds box holds. Its text may be no integer ("-", "1.5"):
// then the conversion error that OK shows, and the dialog stays open, so
// that nothing is stored before the author mends the text.
inline int IntegerOf(const ui::SpinEdit& box, ui::Form& dialog) {
  if (const std::optional<int> value = box.IntegerValue()) return *value;
  dialog.SetModalResult(ui::mrNone);
  throw std::runtime_error("'" + box.Text() + "' は整数ではありません");
}

// A chosen path goes into the settings only when the settings file can
// hold it: "?" in place of a character would name another file.
inline bool AcceptChosenPath(const std::string& path) {
  if (platform::text::IsCp932Encodable(path)) return true;
  ui::ShowMessage(
      "このパスには設定ファイルに保存できない文字が含まれているため、指定できません。\r\n" + path);
  return false;
}

}  // namespace tobrinedit
