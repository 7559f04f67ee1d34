// Other functions: which fixed buttons the menu hides, and the disc icon.
// The settings live in TForm2.
#pragma once

#include <array>

#include "platform/ui/ui.h"

namespace tobrinedit {

class TForm18 : public ui::Form {
 public:
  TForm18();

  ui::GroupBox* GroupBox1;  // "ボタンの表示"
  // Each box is ticked when its fixed button is hidden.
  ui::CheckBox* CheckBox1;
  ui::CheckBox* CheckBox2;
  ui::CheckBox* CheckBox3;
  ui::GroupBox* GroupBox2;  // "CDのアイコンの指定"
  ui::Label* Label1;
  ui::Edit* Edit1;  // icon file
  ui::Button* Button3;
  ui::Button* Button1;  // OK
  ui::Button* Button2;  // キャンセル
  ui::OpenDialog* OpenDialog1;

  void FormShow();
  void Button1Click();
  void Button2Click();
  void Button3Click();
  // The path of the icon last chosen with "参照"; its box shows the name.
  std::string BrowsedIcon;

 private:
  // The three boxes and the visibility flags they invert, in order.
  std::array<std::pair<ui::CheckBox*, bool*>, 3> HidingBoxes() const;
};

extern TForm18* Form18;

}  // namespace tobrinedit
