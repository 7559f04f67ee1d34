#include "editor/tobrinedit10.h"

#include "platform/shell/shell.h"

namespace tobrinedit {

TForm10* Form10 = nullptr;

const char* const kWebAddress = "https://example.org/tobrin-ex/";
const char* const kMailAddress = "tobrin-ex@example.org";

namespace {

ui::Label* NewLabel(ui::Form* form, const char* name, int top, int fontHeight,
                    const std::string& caption) {
  auto* label = new ui::Label(form, name);
  label->SetBounds(16, top, 0, 0);
  label->Font().SetHeight(-fontHeight);
  label->SetCaption(caption);
  return label;
}

void OpenWithShell(const std::string& address) {
  platform::shell::ShellExecute("OPEN", address, "", "", platform::shell::SW_SHOW);
}

}  // namespace

TForm10::TForm10() : Form("Form10") {
  SetCaption("バージョン情報");
  SetBorderStyle(ui::bsSizeable);
  SetBorderIcons(ui::biSystemMenu | ui::biMinimize);
  SetWidth(398);
  SetHeight(205);
  SetPosition(ui::poDesktopCenter);
  Label1 = NewLabel(this, "Label1", 12, 24, "Tobrin EX version 1.59");
  Label1->Font().SetStyle(ui::fsBold);
  Label1->Font().SetColor(ui::clLime);
  Label6 = NewLabel(this, "Label6", 56, 16, kWebAddress);
  Label6->SetCursor(ui::crHandPoint);
  Label6->OnClick = [this] { Label6Click(); };
  Label6->OnMouseMove = [this](int, int) { Label6MouseMove(); };
  Label8 = NewLabel(this, "Label8", 80, 16, std::string("Mail: ") + kMailAddress);
  Label8->SetCursor(ui::crHandPoint);
  Label8->OnClick = [this] { Label8Click(); };
  Label8->OnMouseMove = [this](int, int) { Label8MouseMove(); };
  Label7 = NewLabel(this, "Label7", 112, 12, "Linux 版 Tobrin EX 開発プロジェクト");
  Button1 = new ui::Button(this, "Button1");
  Button1->SetBounds(296, 140, 75, 25);
  Button1->SetCaption("閉じる");
  Button1->SetModalResult(ui::mrOk);
  Button1->SetCancel(true);
  OnMouseMove = [this](int, int) { FormMouseMove(); };
}

void TForm10::Label6Click() { OpenWithShell(kWebAddress); }

void TForm10::Label8Click() { OpenWithShell(std::string("mailto:") + kMailAddress); }

void TForm10::Label6MouseMove() { Label6->Font().SetColor(ui::clBlue); }

void TForm10::Label8MouseMove() { Label8->Font().SetColor(ui::clLime); }

void TForm10::FormMouseMove() {
  Label6->Font().SetColor(ui::clBlack);
  Label8->Font().SetColor(ui::clBlack);
}

}  // namespace tobrinedit
