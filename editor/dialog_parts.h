// What every editor dialog shares: its frame, small builders for its
// controls (so that a constructor reads like the designer's list of
// controls), OK and キャンセル, and the checks OK makes.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

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

inline ui::Label* AddLabel(ui::Form* form, std::string name, int left, int top,
                           std::string caption) {
  auto* label = new ui::Label(form, std::move(name));
  label->SetLeft(left);
  label->SetTop(top);
  label->SetCaption(std::move(caption));
  return label;
}

inline ui::Edit* AddEdit(ui::Form* form, std::string name, int left, int top, int width) {
  auto* edit = new ui::Edit(form, std::move(name));
  edit->SetBounds(left, top, width, 20);
  return edit;
}

inline ui::Button* AddButton(ui::Form* form, std::string name, int left, int top, int width,
                             std::string caption) {
  auto* button = new ui::Button(form, std::move(name));
  button->SetBounds(left, top, width, 25);
  button->SetCaption(std::move(caption));
  return button;
}

// "OK": gives mrOk to the form, then runs the handler that stores.
inline ui::Button* AddOkButton(ui::Form* form, std::string name, int left, int top, int width) {
  auto* button = AddButton(form, std::move(name), left, top, width, "OK");
  button->SetModalResult(ui::mrOk);
  return button;
}

// "キャンセル": the Esc key presses it; it closes and stores nothing.
inline ui::Button* AddCancelButton(ui::Form* form, std::string name, int left, int top) {
  auto* button = AddButton(form, std::move(name), left, top, 75, "キャンセル");
  button->SetModalResult(ui::mrCancel);
  button->SetCancel(true);
  return button;
}

inline ui::RadioGroup* AddRadioGroup(ui::Form* form, std::string name, int left, int top, int width,
                                     int height, std::string caption,
                                     std::vector<std::string> items, int columns) {
  auto* group = new ui::RadioGroup(form, std::move(name));
  group->SetBounds(left, top, width, height);
  group->SetCaption(std::move(caption));
  group->SetColumns(columns);
  group->SetItems(std::move(items));
  return group;
}

inline ui::CheckBox* AddCheckBox(ui::Form* form, std::string name, int left, int top, int width,
                                 std::string caption) {
  auto* box = new ui::CheckBox(form, std::move(name));
  box->SetBounds(left, top, width, 17);
  box->SetCaption(std::move(caption));
  return box;
}

// A stored choice shown in its group; a value the group has no item for
// (a loaded file may hold one) shows no selection.
inline void ShowChoice(ui::RadioGroup& group, std::int32_t value) {
  const auto items = static_cast<std::int32_t>(group.Items().size());
  group.SetItemIndex(value >= 0 && value < items ? value : -1);
}

// The group's choice into the field; a group without a selection leaves
// the field as it is, so such a loaded value survives OK.
inline void TakeChoice(const ui::RadioGroup& group, std::int32_t& field) {
  if (group.ItemIndex() >= 0) field = group.ItemIndex();
}

}  // namespace tobrinedit
