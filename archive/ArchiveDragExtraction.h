// The extraction of one drag out. It starts with the drag and runs beside
// the GUI thread, so that a target, which waits only seconds for the files
// after the drop, gets even a large selection whole, and the window goes
// on answering meanwhile. Nothing here touches the GUI: the library runs
// without the control's events, and its progress reports only ask whether
// to stop.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "archive/ArchiveInterface.h"
#include "archive/ArchiveStrings.h"

namespace archive {

class TDragExtraction {
 public:
  // Runs the command line with the library; names holds the response file
  // that the command line refers to.
  TDragExtraction(std::shared_ptr<IArchive> library, std::unique_ptr<TArchiveStrings> names,
                  std::string commandLine);
  // Stops what still runs (as Cancel).
  ~TDragExtraction();
  TDragExtraction(const TDragExtraction&) = delete;
  TDragExtraction& operator=(const TDragExtraction&) = delete;

  // Waits at most timeout; true once the library has returned.
  bool WaitFor(std::chrono::milliseconds timeout);
  // The library's result, once WaitFor answered true.
  int Result();
  // Asks the library to stop at its next progress report and waits for it.
  void Cancel();

 private:
  static int Progress(void* context, std::uint32_t message, std::uint64_t state,
                      EXTRACTINGINFO* info);
  void Run();
  void Finish();

  std::shared_ptr<IArchive> library_;
  std::unique_ptr<TArchiveStrings> names_;
  std::string commandLine_;
  ArcOwnerWindow window_{};
  std::atomic<bool> cancel_{false};
  std::mutex mutex_;
  std::condition_variable done_;
  bool finished_ = false;
  int result_ = 0;
  std::thread thread_;
};

}  // namespace archive
