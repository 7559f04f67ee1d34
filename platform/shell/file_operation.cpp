#include "platform/shell/file_operation.h"

#include <chrono>
#include <string>

#include "platform/shell/copy_dialogs.h"
#include "platform/shell/copy_engine.h"

namespace platform::shell {
namespace {

std::string ErrorReason(int code) {
  switch (code) {
    case kErrorFileNotFound:
      return "指定されたファイルが見つかりません。";
    case kErrorPathNotFound:
      return "指定されたパスが見つかりません。";
    case kErrorAccessDenied:
      return "アクセスが拒否されました。";
    case kErrorDiskFull:
      return "ディスクの空き領域が不足しています。";
    case DE_SAMEFILE:
      return "コピー元とコピー先のファイル名が同じです。";
    case DE_DESTSUBTREE:
      return "コピー先のフォルダは、コピー元のフォルダのサブフォルダです。";
    case DE_FLDDESTISFILE:
      return "同じ名前のファイルが既に存在します。";
    case DE_FILEDESTISFLD:
      return "同じ名前のフォルダが既に存在します。";
    case DE_INVALIDFILES:
      return "コピー元またはコピー先が指定されていません。";
    default:
      return "ファイルの読み書き中にエラーが発生しました。";
  }
}

// The shell's side of a copy: questions and errors in message boxes, the
// progress window once the copy has run for a second.
class DialogObserver : public CopyObserver {
 public:
  DialogObserver(bool showErrors, bool showProgress)
      : showErrors_(showErrors), showProgress_(showProgress) {}

  OverwriteAnswer AskOverwrite(const OverwriteQuestion& question) override {
    return AskOverwriteQuestion(question);
  }

  void ShowError(int code, const std::string& windowsPath) override {
    if (!showErrors_) return;
    std::string text = windowsPath.empty()
                           ? ErrorReason(code)
                           : windowsPath + " をコピーできません: " + ErrorReason(code);
    ShowCopyError(text);
  }

  bool Progress(std::uint64_t done, std::uint64_t total, const std::string& name) override {
    if (!showProgress_) return true;
    auto now = std::chrono::steady_clock::now();
    const ProgressTiming& timing = CopyProgressTiming();
    if (now - lastUpdate_ < timing.interval) return true;
    lastUpdate_ = now;
    if (!window_ && now - start_ >= timing.delay) window_ = CreateProgressWindow();
    return !window_ || window_->Update(done, total, name);
  }

 private:
  bool showErrors_;
  bool showProgress_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point lastUpdate_ = start_;
  std::unique_ptr<ProgressWindow> window_;
};

}  // namespace

int SHFileOperation(FileOperation& operation) {
  operation.anyOperationsAborted = false;
  DialogObserver observer((operation.flags & FOF_NOERRORUI) == 0,
                          (operation.flags & FOF_SILENT) == 0);
  if (operation.func != FO_COPY) {
    observer.ShowError(DE_INVALIDFILES, "");
    return DE_INVALIDFILES;
  }
  CopyOutcome outcome = CopyIntoFolder(operation.from, operation.to,
                                       (operation.flags & FOF_NOCONFIRMATION) == 0, observer);
  operation.anyOperationsAborted = outcome.cancelled;
  return outcome.code;
}

}  // namespace platform::shell
