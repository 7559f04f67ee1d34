// The windows of the drag-and-drop tests, one role per process:
//   host view ARCHIVE LOG WORKDIR [list|icon]
//                                   the archive list view on a form titled
//                                   "ArchiveListView" at (0, 0), report
//                                   style unless named; logs its members
//                                   after each change, and where the rows
//                                   on screen lie once shown
//   host target LOG COPYDIR [hover] a plain Qt window "DropTarget" at
//                                   (700, 0) that takes dropped files and
//                                   copies them, as a file manager would;
//                                   with "hover" it reads the files on
//                                   enter already, as pcmanfm does
// The view takes its archiver libraries from $DND_LIBS when that is set.
//   host source FILE...             a plain Qt window "DragSource" at
//                                   (700, 0) that drags the files out
//   host makezip ZIP NAME=TEXT...   writes a ZIP archive
// LOG lines: "ready", "member NAME", "row N LEFT TOP RIGHT BOTTOM", "url PATH", "copied NAME SIZE",
// "dropped N", "hover N" (files read on enter).
#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "archive/ArchiveListView.h"
#include "archive_writer.h"
#include "platform/dynlib/dynlib.h"
#include "platform/files/files.h"
#include "platform/ui/ui.h"

namespace {

namespace fs = std::filesystem;

void Log(const std::string& path, const std::string& line) {
  std::ofstream(path, std::ios::app) << line << std::endl;
}

class ViewForm : public ui::Form {
 public:
  ViewForm(const std::string& archivePath, std::string log, const std::string& workDir)
      : Form("ViewForm"), log_(std::move(log)) {
    SetCaption("ArchiveListView");
    SetBorderStyle(ui::bsSingle);
    SetClientWidth(660);
    SetClientHeight(300);
    ListView1 = new archive::TArchiveListView(this, "ListView1");
    ListView1->SetBounds(0, 0, 660, 300);
    ListView1->SetViewStyle(ui::vsReport);
    const int widths[] = {100, 120, 70, 55, 95, 70, 95, 45};
    for (int column = 0; column < ListView1->ColumnCount(); ++column) {
      ListView1->SetColumnWidth(column, widths[column]);
    }
    ListView1->SetWorkDirectory(workDir);
    Control1.OnChange = [this](archive::TArchiveControl*) { LogMembers(); };
    ListView1->SetArchiveControl(&Control1);
    Control1.SetFileName(platform::files::ToWindows(archivePath));
  }
  archive::TArchiveListView* ListView1;
  archive::TArchiveControl Control1;

  // Where each row on screen lies, for a script to point at it.
  void LogShownRows() {
    for (int row = 0; row < ListView1->ItemCount(); ++row) {
      const ui::TRect r = ui::testing::RowRect(*ListView1, row);
      if (r.Width() <= 0) continue;
      Log(log_, "row " + std::to_string(row) + " " + std::to_string(r.Left) + " " +
                    std::to_string(r.Top) + " " + std::to_string(r.Right) + " " +
                    std::to_string(r.Bottom));
    }
  }

 private:
  void LogMembers() {
    for (int i = 0; i < Control1.Count(); ++i) Log(log_, "member " + Control1.Items(i)->FullName());
  }
  std::string log_;
};

// Takes dropped files and copies them into a folder of its own.
class DropTarget : public QWidget {
 public:
  DropTarget(std::string log, fs::path copies, bool readOnEnter)
      : log_(std::move(log)), copies_(std::move(copies)), readOnEnter_(readOnEnter) {
    setWindowTitle("DropTarget");
    setAcceptDrops(true);
    setGeometry(700, 0, 300, 300);
  }

 protected:
  void dragEnterEvent(QDragEnterEvent* e) override {
    if (!e->mimeData()->hasUrls()) return;
    if (readOnEnter_) Log(log_, "hover " + std::to_string(e->mimeData()->urls().size()));
    e->acceptProposedAction();
  }
  void dragMoveEvent(QDragMoveEvent* e) override { e->acceptProposedAction(); }
  void dropEvent(QDropEvent* e) override {
    const QList<QUrl> urls = e->mimeData()->urls();
    for (const QUrl& url : urls) {
      const fs::path source = url.toLocalFile().toStdString();
      Log(log_, "url " + source.string());
      Copy(source, copies_ / source.filename());
    }
    Log(log_, "dropped " + std::to_string(urls.size()));
    e->acceptProposedAction();
  }

 private:
  void Copy(const fs::path& from, const fs::path& to) {
    std::error_code error;
    if (fs::is_directory(from, error)) {
      fs::create_directories(to, error);
      for (const auto& child : fs::directory_iterator(from, error)) {
        Copy(child.path(), to / child.path().filename());
      }
      return;
    }
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
    const std::string name = fs::relative(to, copies_).string();
    Log(log_, "copied " + name + " " + std::to_string(error ? -1 : fs::file_size(to, error)));
  }
  std::string log_;
  fs::path copies_;
  bool readOnEnter_;
};

// Drags its files out with every action, as a file manager offers them.
class DragSource : public QWidget {
 public:
  explicit DragSource(QList<QUrl> urls) : urls_(std::move(urls)) {
    setWindowTitle("DragSource");
    setGeometry(700, 0, 300, 300);
  }

 protected:
  void mousePressEvent(QMouseEvent* e) override { press_ = e->position().toPoint(); }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (!(e->buttons() & Qt::LeftButton)) return;
    if ((e->position().toPoint() - press_).manhattanLength() < QApplication::startDragDistance()) {
      return;
    }
    auto* drag = new QDrag(this);
    auto* mime = new QMimeData;
    mime->setUrls(urls_);
    drag->setMimeData(mime);
    const Qt::DropAction result =
        drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::CopyAction);
    std::printf("drag ended %d\n", int(result));
    std::fflush(stdout);
  }

 private:
  QList<QUrl> urls_;
  QPoint press_;
};

int MakeZip(int argc, char** argv) {
  std::vector<tobrin_test::ArchiveEntry> entries;
  for (int i = 3; i < argc; ++i) {
    const std::string spec = argv[i];
    const std::size_t eq = spec.find('=');
    entries.push_back({spec.substr(0, eq), eq == std::string::npos ? "" : spec.substr(eq + 1)});
  }
  return tobrin_test::WriteArchive(argv[2], "zip", entries) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: host view|target|source|makezip ...\n");
    return 2;
  }
  const std::string role = argv[1];
  if (role == "makezip") return MakeZip(argc, argv);
  ui::App().SetTitle("dnd");
  if (role == "view" && argc >= 5) {
    if (const char* libs = std::getenv("DND_LIBS")) platform::dynlib::SetLibrarySearchFolder(libs);
    ViewForm form(argv[2], argv[3], platform::files::ToWindows(argv[4]));
    const std::string style = argc >= 6 ? argv[5] : "report";
    if (style != "report") form.ListView1->SetViewStyle(style == "icon" ? ui::vsIcon : ui::vsList);
    form.Show();
    ui::App().ProcessMessages();
    form.LogShownRows();
    Log(argv[3], "ready");
    ui::App().Run();
    return 0;
  }
  if (role == "target" && argc >= 4) {
    DropTarget target(argv[2], argv[3], argc >= 5 && std::string(argv[4]) == "hover");
    target.show();
    Log(argv[2], "ready");
    return QApplication::exec();
  }
  if (role == "source") {
    QList<QUrl> urls;
    for (int i = 2; i < argc; ++i) {
      urls.push_back(QUrl::fromLocalFile(QFileInfo(argv[i]).absoluteFilePath()));
    }
    DragSource source(urls);
    source.show();
    return QApplication::exec();
  }
  return 2;
}
