#include "archive/ArchiveDragExtraction.h"

#include "archive/ArchiveNotify.h"

namespace archive {

TDragExtraction::TDragExtraction(std::shared_ptr<IArchive> library,
                                 std::unique_ptr<TArchiveStrings> names, std::string commandLine)
    : library_(std::move(library)), names_(std::move(names)), commandLine_(std::move(commandLine)) {
  window_.context = this;
  window_.message = ArcExtractMessage;
  window_.callback = &TDragExtraction::Progress;
  // The library takes its window when the command starts.
  library_->SetOwnerWindowEx(&window_, nullptr);
  thread_ = std::thread([this] { Run(); });
}

TDragExtraction::~TDragExtraction() { Cancel(); }

void TDragExtraction::Run() {
  int result = -1;
  try {
    result = library_->Execute(nullptr, commandLine_, nullptr, 0);
  } catch (...) {
    // A failure reads as a failed command.
  }
  std::lock_guard<std::mutex> lock(mutex_);
  result_ = result;
  finished_ = true;
  done_.notify_all();
}

int TDragExtraction::Progress(void* context, std::uint32_t, std::uint64_t, EXTRACTINGINFO*) {
  return static_cast<TDragExtraction*>(context)->cancel_.load() ? 1 : 0;
}

bool TDragExtraction::WaitFor(std::chrono::milliseconds timeout) {
  {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!done_.wait_for(lock, timeout, [this] { return finished_; })) return false;
  }
  Finish();
  return true;
}

int TDragExtraction::Result() {
  std::lock_guard<std::mutex> lock(mutex_);
  return result_;
}

void TDragExtraction::Cancel() {
  cancel_ = true;
  Finish();
}

void TDragExtraction::Finish() {
  if (!thread_.joinable()) return;
  thread_.join();
  library_->KillOwnerWindowEx(&window_);
  names_->RemoveResponseFile();
}

}  // namespace archive
