// The tool window of the layout editor: commands that act on the layout
// window and the one that records the layout and closes both. It stays
// above the other windows and has no title-bar buttons.
#pragma once

#include "platform/ui/ui.h"

namespace tobrinedit {

class TForm12 : public ui::Form {
 public:
  TForm12();

  ui::ComboBox* ComboBox1;  // button 1 to 17 to show
  ui::ComboBox* ComboBox2;  // button 1 to 8 whose left edge the column takes
  ui::ComboBox* ComboBox3;  // button 9 to 17 whose left edge the column takes
  ui::ComboBox* ComboBox4;  // button 1 to 17 whose size all take
  ui::Button* Button4;      // "表示"
  ui::Button* Button2;      // "あわせる", buttons 1 to 8
  ui::Button* Button3;      // "あわせる", buttons 9 to 17
  ui::Button* Button5;      // "あわせる", sizes
  ui::CheckBox* CheckBox1;  // sizeable frame
  ui::CheckBox* CheckBox2;  // maximised
  ui::Button* Button1;      // "保存後閉じる"

  void FormShow();
  void Button4Click();
  void Button2Click();
  void Button3Click();
  void Button5Click();
  void CheckBox1Click();
  void CheckBox2Click();
  void Button1Click();

 private:
  void CreateRows();
  void CreateCheckBoxes();
};

extern TForm12* Form12;

}  // namespace tobrinedit
