// Components and controls. A component belongs to a form and carries its
// designer name; a control is a component with a place on the screen.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/ui/types.h"

namespace ui {

class Control;
class Form;
class PopupMenu;

namespace detail {
struct ControlImpl;
template <class Base>
class Hooked;
}  // namespace detail

class Component {
 public:
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;
  virtual ~Component();

  const std::string& Name() const { return name_; }
  // The form the component belongs to; nullptr for a form itself.
  Form* OwnerForm() const { return owner_; }
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }
  // The component as a control, or nullptr: asked of every component of a
  // form when one control's colour or font passes to its children.
  virtual Control* AsControl() { return nullptr; }

 protected:
  // Registers the component with its owner form (may be nullptr).
  Component(Form* owner, std::string name);

 private:
  friend class Form;
  Form* owner_;
  std::string name_;
  int tag_ = 0;
};

// A visual control. Left/Top are client pixels of the parent. Controls
// start visible and enabled, with the parent's font and colour.
// Controls that draw on their parent (Label, Image, Bevel) always lie
// below the others, as on Windows; among themselves later ones lie on top.
class Control : public Component {
 public:
  ~Control() override;
  Control* AsControl() override { return this; }

  Control* Parent() const { return parent_; }

  virtual int Left() const;
  virtual int Top() const;
  virtual int Width() const;
  virtual int Height() const;
  virtual void SetLeft(int left);
  virtual void SetTop(int top);
  virtual void SetWidth(int width);
  virtual void SetHeight(int height);
  void SetBounds(int left, int top, int width, int height);
  virtual int ClientWidth() const;
  virtual int ClientHeight() const;

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  // The control's font; change it in place: Button1->Font().SetSize(14).
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font) { font_ = font; }

  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool show);

  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int order);
  void SetCursor(TCursor cursor);
  TCursor Cursor() const { return cursor_; }

  // The menu that opens on a right click, after OnMouseUp has run.
  PopupMenu* GetPopupMenu() const { return popupMenu_; }
  void SetPopupMenu(PopupMenu* menu) { popupMenu_ = menu; }

  void SetFocus();
  bool Focused() const;
  void BringToFront();
  void SendToBack();
  void Repaint();

  // Runs OnClick as a click would (a button first gives its ModalResult
  // to its form). Called by the program, an exception reaches the caller.
  virtual void Click();

  std::function<void()> OnClick;
  std::function<void()> OnDblClick;
  // Client coordinates of this control. A move goes only to the control
  // under the pointer, never also to its parent.
  std::function<void(int x, int y)> OnMouseMove;
  std::function<void(TMouseButton button, int x, int y)> OnMouseDown;
  std::function<void(TMouseButton button, int x, int y)> OnMouseUp;
  std::function<void()> OnEnter;
  std::function<void()> OnExit;

  // Internal: the Qt side of the control.
  detail::ControlImpl* Impl() const { return d_.get(); }

 protected:
  // A control inside parent (a form or a panel); a form passes nullptr.
  Control(Control* parent, std::string name, Form* ownerForm);
  // Controls drawn on their parent (labels, images, bevels).
  void SetGraphic(bool graphic);
  void SetVisibleFlag(bool visible) { visible_ = visible; }
  virtual void FontChanged();
  virtual void ColorChanged();
  // Every press, release and move of the user's, in client coordinates;
  // shift holds the keys and the buttons still down. Each fires its event,
  // so a derived control adds its own handling and calls the base.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  // Deletes the widget; no event of it reaches this control any more.
  void DestroyWidget();

  std::unique_ptr<detail::ControlImpl> d_;

 private:
  friend struct detail::ControlImpl;
  friend class Form;
  template <class Base>
  friend class detail::Hooked;
  void ParentFontChanged(const TFont& font);
  void ParentColorChanged(TColor color);

  Control* parent_;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clBtnFace;
  TFont font_;
  bool parentFont_ = true;
  bool parentColor_ = true;
  bool applyingParentFont_ = false;
  std::string hint_;
  bool showHint_ = false;
  int tabOrder_ = -1;
  TCursor cursor_ = crDefault;
  PopupMenu* popupMenu_ = nullptr;
};

}  // namespace ui
