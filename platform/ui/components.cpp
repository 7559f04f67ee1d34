#include "platform/ui/components.h"

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <algorithm>

#include "platform/ui/form.h"
#include "platform/ui/qt_internal.h"

namespace ui {

namespace detail {

struct TimerImpl {
  QTimer timer;
};

struct PopupMenuImpl {
  QMenu menu;
  std::vector<std::pair<MenuItem*, QAction*>> actions;
};

}  // namespace detail

// ---- Timer

Timer::Timer(Control* owner, std::string name)
    : Component(detail::FormOf(owner), std::move(name)), d_(std::make_unique<detail::TimerImpl>()) {
  QObject::connect(&d_->timer, &QTimer::timeout, [this] {
    detail::Guard([this] {
      if (OnTimer) OnTimer();
    });
  });
  Apply();
}

Timer::~Timer() = default;

void Timer::SetInterval(int ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Apply();
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Apply();
}

void Timer::Apply() {
  if (enabled_ && interval_ > 0)
    d_->timer.start(interval_);
  else
    d_->timer.stop();
}

// ---- MenuItem

MenuItem::MenuItem(PopupMenu* menu, std::string name, std::string caption)
    : Component(menu ? menu->OwnerForm() : nullptr, std::move(name)),
      menu_(menu),
      caption_(std::move(caption)) {
  if (menu_) menu_->Add(this);
}

MenuItem::~MenuItem() {
  if (menu_) menu_->Remove(this);
}

void MenuItem::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  if (menu_) menu_->Add(this);
}

void MenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (menu_) menu_->Add(this);
}

void MenuItem::SetVisible(bool visible) {
  visible_ = visible;
  if (menu_) menu_->Add(this);
}

void MenuItem::Click() {
  if (OnClick) OnClick();
}

// ---- PopupMenu

PopupMenu::PopupMenu(Control* owner, std::string name)
    : Component(detail::FormOf(owner), std::move(name)),
      d_(std::make_unique<detail::PopupMenuImpl>()) {}

PopupMenu::~PopupMenu() {
  for (MenuItem* item : items_) item->menu_ = nullptr;
}

// Adds the item, or brings its action up to date.
void PopupMenu::Add(MenuItem* item) {
  auto& actions = d_->actions;
  auto found = std::find_if(actions.begin(), actions.end(),
                            [item](const auto& entry) { return entry.first == item; });
  QAction* action = nullptr;
  if (found == actions.end()) {
    items_.push_back(item);
    action = d_->menu.addAction(QString());
    QObject::connect(action, &QAction::triggered,
                     [item] { detail::Guard([item] { item->Click(); }); });
    actions.emplace_back(item, action);
  } else {
    action = found->second;
  }
  // A separator carries no text: the style would draw the "-" beside its line.
  const bool separator = item->Caption() == "-";
  action->setSeparator(separator);
  action->setText(separator ? QString() : detail::Q(item->Caption()));
  action->setEnabled(item->Enabled());
  action->setVisible(item->Visible());
}

void PopupMenu::Remove(MenuItem* item) {
  items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
  auto& actions = d_->actions;
  for (auto it = actions.begin(); it != actions.end(); ++it) {
    if (it->first == item) {
      d_->menu.removeAction(it->second);
      delete it->second;
      actions.erase(it);
      break;
    }
  }
}

void PopupMenu::Popup(int screenX, int screenY) {
  if (OnPopup) OnPopup();
  // Offscreen nobody could choose; tests click the items themselves.
  if (!detail::IsHeadless()) d_->menu.popup(QPoint(screenX, screenY));
}

}  // namespace ui
