// The window layout editor: a mock of the menu window whose buttons the
// author drags into place. Holds the placement of the menu buttons and
// the fixed buttons and the menu window's size; a drag reaches these
// fields only when the layout is recorded.
#pragma once

#include <array>

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

  // The menu window's message area.
  ui::Label* Label1;
  // Button1..Button17, the mocks of menu buttons 1 to 17 (entry 0 unused).
  std::array<ui::Button*, 18> MenuButtons{};
  ui::Button* button18;  // "簡易セットアップ"
  ui::Button* Button19;  // "CDの中身を参照"
  ui::Button* Button21;  // "２ページ目へ"
  ui::Button* Button20;  // "保存"
  ui::Button* Button23;  // "保存しないで閉じる"

  void FormShow();
  void FormClose();
  void Button20Click();
  void Button23Click();

  // The window's outer size and every mock's place go into the fields,
  // and the maximise choice of the tool window into the menu settings.
  void RecordLayout();

  void StoreSettings(SettingsModel& model) const { Exchange(*this, model, CopyIntoSetting{}); }
  void LoadSettings(const SettingsModel& model) { Exchange(*this, model, CopyIntoField{}); }

 private:
  void CreateMockButtons();
  void CreateCommandButtons();
  void PlaceMocksFromFields();
  void ShowMenuCaptions();

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

// The mock window's design size, outer.
constexpr int kLayoutWindowWidth = 532;
constexpr int kLayoutWindowHeight = 441;

}  // namespace tobrinedit
