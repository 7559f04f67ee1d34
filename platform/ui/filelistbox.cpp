#include <QListWidget>
#include <algorithm>

#include "platform/files/files.h"
#include "platform/ui/controls.h"
#include "platform/ui/qt_internal.h"

namespace ui {

FileListBox::FileListBox(Control* parent, std::string name)
    : Control(parent, std::move(name), nullptr) {
  d_->Attach(new detail::Hooked<QListWidget>(this), QRect(0, 0, 145, 97));
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
  static_cast<QListWidget*>(d_->widget.data())->setCurrentRow(itemIndex_);
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
  auto* list = static_cast<QListWidget*>(d_->widget.data());
  list->clear();
  for (const auto& item : items_) list->addItem(detail::Q(item));
  itemIndex_ = -1;
}

}  // namespace ui
