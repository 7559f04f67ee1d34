#include <QListWidget>
#include <algorithm>

#include "platform/files/files.h"
#include "platform/ui/controls.h"
#include "platform/ui/late_host_internal.h"
#include "platform/ui/qt_internal.h"

namespace ui {

namespace {

// The list widget, when it has been made; it shows the items and the index.
QListWidget* ListOf(const detail::ControlImpl* d) {
  return static_cast<QListWidget*>(detail::LateHostOf(d)->InnerIfMade());
}

void Fill(QListWidget* list, const std::vector<std::string>& items, int index) {
  list->clear();
  for (const auto& item : items) list->addItem(detail::Q(item));
  list->setCurrentRow(index);
}

}  // namespace

// Its list is made when it is first shown or used: the program mostly
// keeps it hidden and reads only its items.
FileListBox::FileListBox(Control* parent, std::string name)
    : Control(parent, std::move(name), nullptr) {
  auto* host = new detail::LateHost(this, [this](detail::LateHost* h) {
    auto* list = new detail::Hooked<QListWidget>(this, h);
    Fill(list, items_, itemIndex_);
    return list;
  });
  d_->Attach(host, QRect(0, 0, 145, 97));
}

void FileListBox::SetDirectory(const std::string& windowsFolder) {
  directory_ = windowsFolder;
  Update();
}

void FileListBox::SetMask(std::string mask) {
  mask_ = std::move(mask);
  Update();
}

void FileListBox::SetItemIndex(int index) {
  itemIndex_ = (index >= 0 && index < int(items_.size())) ? index : -1;
  if (QListWidget* list = ListOf(d_.get())) list->setCurrentRow(itemIndex_);
}

void FileListBox::Update() {
  items_.clear();
  if (!directory_.empty()) {
    const std::string pattern = platform::files::IncludeTrailingBackslash(directory_) + mask_;
    for (const auto& found : platform::files::FindFiles(pattern)) {
      if (found.attributes & (platform::files::kAttrDirectory | platform::files::kAttrHidden))
        continue;
      items_.push_back(found.name);
    }
    // A sorted list box compares without regard to case.
    std::sort(items_.begin(), items_.end(), [](const std::string& a, const std::string& b) {
      return QString::compare(detail::Q(a), detail::Q(b), Qt::CaseInsensitive) < 0;
    });
  }
  itemIndex_ = -1;
  if (QListWidget* list = ListOf(d_.get())) Fill(list, items_, itemIndex_);
}

}  // namespace ui
