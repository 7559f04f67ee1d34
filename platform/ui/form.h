// Forms: top-level windows. Width and Height of a form are its outer size
// (frame and title bar included), converted to the client size with the
// fixed frame metrics below, so that a stored window size means the same
// window on every desktop.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/control.h"

namespace ui {

// Classic Windows frame metrics at 96 dpi, the one place they are kept.
namespace frame {
constexpr int kSizeableBorder = 4;  // SM_CXFRAME, each side
constexpr int kFixedBorder = 3;     // SM_CXFIXEDFRAME, each side (single, dialog)
constexpr int kCaption = 19;        // SM_CYCAPTION
constexpr int kToolCaption = 15;    // SM_CYSMCAPTION
// Outer size minus client size for a border style.
int ExtraWidth(TFormBorderStyle style);
int ExtraHeight(TFormBorderStyle style);
}  // namespace frame

// A form starts hidden. The first form created becomes the application's
// main form; closing the main form ends Application::Run.
class Form : public Control {
 public:
  explicit Form(std::string name = "");
  ~Form() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);

  // Outer position and size.
  int Left() const override;
  int Top() const override;
  int Width() const override;
  int Height() const override;
  void SetLeft(int left) override;
  void SetTop(int top) override;
  void SetWidth(int width) override;
  void SetHeight(int height) override;
  int ClientWidth() const override;
  int ClientHeight() const override;
  void SetClientWidth(int width);
  void SetClientHeight(int height);

  // bsToolWindow and bsSizeToolWin make a tool window (small title bar,
  // no minimise or maximise box); without biSystemMenu it has no close box.
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle style);
  int BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(int icons);
  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);  // maximising works for fixed frames too
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position);  // centring applies when the form is shown

  // Visible forms: OnShow runs on every change from hidden to shown (never
  // on a restore from minimised), before the window appears.
  // Show() of a form that is already visible brings it to the front.
  void SetVisible(bool visible) override;
  // Runs OnCloseQuery and OnClose, then hides the form; the main form's
  // close ends the application. A modal form's close sets mrCancel.
  void Close();
  // Shows the form modally; returns its ModalResult when that becomes
  // non-zero (or mrCancel when the form is hidden otherwise).
  TModalResult ShowModal();
  bool IsModal() const { return modal_; }
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result);

  // The component with that name, ignoring ASCII case; nullptr if none.
  Component* FindComponent(std::string_view name) const;
  template <class T>
  T* Find(std::string_view name) const {
    return dynamic_cast<T*>(FindComponent(name));
  }
  const std::vector<Component*>& Components() const { return components_; }

  std::function<void()> OnShow;
  std::function<void()> OnHide;
  std::function<void()> OnResize;
  std::function<void()> OnPaint;
  std::function<void()> OnActivate;
  std::function<bool()> OnCloseQuery;  // false keeps the form open
  std::function<void()> OnClose;

  // Internal.
  void ClickCancelButton();
  void ClickDefaultButton();
  void HandleCloseBox();
  void WindowStateChanged();

 private:
  friend class Component;
  void Register(Component* component);
  void Unregister(Component* component);
  void ApplyWindowFlags();
  void ApplyFixedSize();
  void Maximize();
  void RestoreFromMaximized();
  void CentreIfWanted();
  bool CloseQueryAndClose();
  TWindowState WindowStateOfWidget() const;

  std::string caption_;
  TFormBorderStyle borderStyle_ = bsSizeable;
  TFormStyle formStyle_ = fsNormal;
  int borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TPosition position_ = poDesigned;
  TWindowState pendingState_ = wsNormal;
  // The client area before maximising, which a restore returns to.
  struct NormalPlace {
    bool kept = false;
    int left = 0, top = 0, width = 0, height = 0;
  } normal_;
  bool modal_ = false;
  TModalResult modalResult_ = mrNone;
  std::vector<Component*> components_;
  bool destroying_ = false;
};

}  // namespace ui
