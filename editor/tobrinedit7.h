// The window layout editor: a mock of the menu window whose buttons the
// author drags into place. Holds the placement of the menu buttons and
// the fixed buttons and the menu window's size; a drag reaches these
// fields only when the layout is recorded.
#pragma once

#include <array>

#include "editor/holder.h"
#include "platform/ui/ui.h"

namespace tobrinedit {

class TForm7 : public ui::Form, public SettingsHolder<settings::LayoutSettings> {
 public:
  TForm7();

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

 private:
  void CreateMockButtons();
  void CreateCommandButtons();
  void PlaceMocksFromFields();
  void ShowMenuCaptions();
};

extern TForm7* Form7;

// The mock window's design size, outer.
constexpr int kLayoutWindowWidth = 532;
constexpr int kLayoutWindowHeight = 441;

}  // namespace tobrinedit
