// Standard controls. Captions may hold several lines (CR LF or LF).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/ui/control.h"

namespace ui {

// A label that takes its text's size is measured when the size is first
// needed: at once while it is on screen, else when it is shown or asked
// for its size.
class Label : public Control {
 public:
  Label(Control* parent, std::string name);
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);  // default true: the label takes its text's size
  void SetTransparent(bool transparent);
  bool Transparent() const { return transparent_; }
  void SetWordWrap(bool wrap);
  void SetAlignment(TAlignment alignment);
  int Width() const override;
  int Height() const override;
  void SetWidth(int width) override;
  void SetHeight(int height) override;

 private:
  friend struct LabelAccess;
  void ColorChanged() override;
  void FontChanged() override;
  void FitText();
  void FitPendingText() const;
  void SideSet(bool& fitSide);
  void MeasureText() const;
  std::string caption_;
  bool autoSize_ = true;
  bool transparent_ = false;
  bool wordWrap_ = false;
  mutable bool fitWidth_ = false;  // sides of a fit put off until shown or asked for
  mutable bool fitHeight_ = false;
  bool fitWrap_ = false;  // the word wrap those sides are fitted with
};

// TButton. Click() gives ModalResult to the form, then runs OnClick.
// Default: Enter clicks it; Cancel: Esc clicks it.
class Button : public Control {
 public:
  Button(Control* parent, std::string name);
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result) { modalResult_ = result; }
  bool Default() const { return default_; }
  void SetDefault(bool isDefault);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool isCancel) { cancel_ = isCancel; }
  void Click() override;

 protected:
  void FontChanged() override;

 private:
  std::string caption_;
  TModalResult modalResult_ = mrNone;
  bool default_ = false;
  bool cancel_ = false;
};

enum TBitBtnKind {
  bkCustom,
  bkOK,
  bkCancel,
  bkHelp,
  bkYes,
  bkNo,
  bkClose,
  bkAbort,
  bkRetry,
  bkIgnore,
  bkAll
};

// TBitBtn: a button that can take a standard kind (caption, ModalResult,
// Default/Cancel of that kind); a bkClose button closes its form after
// its OnClick.
class BitBtn : public Button {
 public:
  BitBtn(Control* parent, std::string name);
  TBitBtnKind Kind() const { return kind_; }
  void SetKind(TBitBtnKind kind);
  void Click() override;

 private:
  TBitBtnKind kind_ = bkCustom;
};

// Edit box. Characters that CP932 cannot hold are refused as they are
// typed. MaxLength counts CP932 bytes (0: no limit), as an ANSI edit does.
// OnChange runs on every change of Text, also one made by the program.
class Edit : public Control {
 public:
  Edit(Control* parent, std::string name);
  std::string Text() const;
  void SetText(const std::string& text);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int bytes);
  bool ReadOnly() const;
  void SetReadOnly(bool readOnly);
  void SelectAll();
  std::function<void()> OnChange;

 private:
  int maxLength_ = 0;
};

// Multi-line edit box; Text joins the lines with CR LF.
class Memo : public Control {
 public:
  Memo(Control* parent, std::string name);
  std::string Text() const;
  void SetText(const std::string& text);
  void SetReadOnly(bool readOnly);
  void SetWordWrap(bool wrap);
  std::function<void()> OnChange;
};

// OnClick runs once on every change of Checked, by the user or the program.
class CheckBox : public Control {
 public:
  CheckBox(Control* parent, std::string name);
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  bool Checked() const;
  void SetChecked(bool checked);
  // A click toggles Checked (and so runs OnClick once).
  void Click() override;

 private:
  std::string caption_;
};

// OnClick runs once on every change of ItemIndex, by the user or the program.
class RadioGroup : public Control {
 public:
  RadioGroup(Control* parent, std::string name);
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(std::vector<std::string> items);
  void AddItem(std::string item);
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);  // -1: none
  int Columns() const { return columns_; }
  void SetColumns(int columns);

 private:
  void FontChanged() override;
  void Rebuild();
  void Arrange();
  void UserSelected(int index);
  friend struct RadioGroupAccess;
  std::string caption_;
  std::vector<std::string> items_;
  int itemIndex_ = -1;
  int columns_ = 1;
};

enum TComboBoxStyle { csDropDown, csDropDownList };

class ComboBox : public Control {
 public:
  ComboBox(Control* parent, std::string name);
  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(std::vector<std::string> items);
  void AddItem(std::string item);
  int ItemIndex() const;
  void SetItemIndex(int index);
  std::string Text() const;
  void SetText(const std::string& text);
  void SetStyle(TComboBoxStyle style);
  std::function<void()> OnChange;

 private:
  std::vector<std::string> items_;
};

// TSpinEdit: a text box with up and down buttons. It holds its text as
// typed ("", "-", "1.5", or a number outside the range): only the keys
// of a number are let in (digits, "+", "-", the decimal separator,
// control keys); any other key beeps. The buttons and the Up and Down
// keys step the value within the range; leaving the box pulls an integer
// outside the range to the nearer bound. MinValue = MaxValue means no
// limits, as in the designer.
class SpinEdit : public Control {
 public:
  SpinEdit(Control* parent, std::string name);
  std::string Text() const;
  void SetText(const std::string& text);
  // The text as a decimal integer (optional sign, 32 bits); none otherwise.
  std::optional<int> IntegerValue() const;
  // The text as an integer, MinValue when it is none.
  int Value() const;
  // Shows the value, pulled into the range.
  void SetValue(int value);
  int MinValue() const { return min_; }
  int MaxValue() const { return max_; }
  void SetMinValue(int value) { min_ = value; }
  void SetMaxValue(int value) { max_ = value; }
  int Increment() const { return increment_; }
  void SetIncrement(int step) { increment_ = step; }
  // Runs on every change of Text, by the user or the program.
  std::function<void()> OnChange;

 private:
  friend struct SpinEditAccess;
  long long Clamped(long long value) const;
  void Step(int direction);
  void PullIntoRange();
  int min_ = 0;
  int max_ = 0;
  int increment_ = 1;
};

enum TPanelBevel { bvNone, bvLowered, bvRaised };

// A panel; other controls may lie on it (pass it as their parent).
class Panel : public Control {
 public:
  Panel(Control* parent, std::string name);
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  void SetBevelOuter(TPanelBevel bevel);
  void SetAlignment(TAlignment alignment);

 private:
  std::string caption_;
};

// A frame with a caption that holds other controls.
class GroupBox : public Control {
 public:
  GroupBox(Control* parent, std::string name);
  void SetCaption(std::string caption);
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class Bevel : public Control {
 public:
  Bevel(Control* parent, std::string name);
  void SetShape(TBevelShape shape);
  void SetStyle(TBevelStyle style);
  TBevelShape Shape() const { return shape_; }
  TBevelStyle Style() const { return style_; }

 private:
  TBevelShape shape_ = bsBox;
  TBevelStyle style_ = bsLowered;
};

class ProgressBar : public Control {
 public:
  ProgressBar(Control* parent, std::string name);
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  void SetMin(int value);
  void SetMax(int value);
  void SetPosition(int value);

 private:
  void Apply();
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
};

// A list of the files in one folder (Windows path), sorted by name,
// neither hidden files nor folders.
class FileListBox : public Control {
 public:
  FileListBox(Control* parent, std::string name);
  const std::string& Directory() const { return directory_; }
  void SetDirectory(const std::string& windowsFolder);
  const std::string& Mask() const { return mask_; }
  void SetMask(std::string mask);
  const std::vector<std::string>& Items() const { return items_; }
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  void Update();  // reads the folder again

 private:
  std::string directory_;
  std::string mask_ = "*.*";
  std::vector<std::string> items_;
  int itemIndex_ = -1;
};

}  // namespace ui
