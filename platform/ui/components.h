// Non-visual components: timers, pop-up menus and the media player.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/control.h"

namespace ui {

namespace detail {
struct TimerImpl;
struct PopupMenuImpl;
struct MediaPlayerImpl;
}  // namespace detail

// Ticks through the GUI message loop (also while a modal form is shown).
// Interval in milliseconds; starts enabled with 1000 ms like the designer.
class Timer : public Component {
 public:
  Timer(Control* owner, std::string name);
  ~Timer() override;
  int Interval() const { return interval_; }
  void SetInterval(int ms);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  std::function<void()> OnTimer;

 private:
  void Apply();
  std::unique_ptr<detail::TimerImpl> d_;
  int interval_ = 1000;
  bool enabled_ = true;
};

class PopupMenu;

// A menu item; the caption "-" makes a separator.
class MenuItem : public Component {
 public:
  MenuItem(PopupMenu* menu, std::string name, std::string caption = "");
  ~MenuItem() override;
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // Runs OnClick (an exception reaches the caller).
  void Click();
  std::function<void()> OnClick;

 private:
  friend class PopupMenu;
  PopupMenu* menu_;
  std::string caption_;
  bool enabled_ = true;
  bool visible_ = true;
};

// Opened by a right click on a control that carries it, after that
// control's OnMouseUp has run. OnPopup runs just before it opens.
class PopupMenu : public Component {
 public:
  PopupMenu(Control* owner, std::string name);
  ~PopupMenu() override;
  const std::vector<MenuItem*>& Items() const { return items_; }
  // Opens at screen coordinates without waiting for the choice.
  void Popup(int screenX, int screenY);
  // The control whose click opened the menu last.
  Control* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(Control* control) { popupComponent_ = control; }
  std::function<void()> OnPopup;

  // Internal.
  detail::PopupMenuImpl* Impl() const { return d_.get(); }

 private:
  friend class MenuItem;
  void Add(MenuItem* item);
  void Remove(MenuItem* item);
  std::unique_ptr<detail::PopupMenuImpl> d_;
  std::vector<MenuItem*> items_;
  Control* popupComponent_ = nullptr;
};

// The media player: open a file, play without waiting, stop, close.
// Video goes to the display control (filling it), or to a window of its
// own when there is no display. Safe without an audio device.
// As a visible control it shows play and stop buttons.
class MediaPlayer : public Control {
 public:
  MediaPlayer(Control* parent, std::string name);
  ~MediaPlayer() override;
  std::string FileName;  // Windows path
  void SetDisplay(Control* display) { display_ = display; }
  Control* Display() const { return display_; }
  // Opens FileName; throws std::runtime_error with a Japanese message when
  // the file cannot be opened.
  void Open();
  // The video's natural rectangle (0,0,width,height); empty for sound.
  TRect DisplayRect() const;
  void Play();
  void Stop();
  void Close();
  bool IsOpen() const;
  bool IsPlaying() const;

 private:
  std::unique_ptr<detail::MediaPlayerImpl> m_;
  Control* display_ = nullptr;
};

}  // namespace ui
