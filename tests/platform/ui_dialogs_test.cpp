// Common dialogs through the responder, and the file list.
#include <QAbstractItemView>
#include <QAbstractProxyModel>
#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/ui/folder_dialog.h"
#include "platform/ui/qt_internal.h"
#include "temp_drives.h"
#include "ui_test_support.h"

namespace {

using UiDialogs = UiTest;

TEST_F(UiDialogs, FolderBrowserAnswersAPathOrEmptyAndRecordsThePrompt) {
  ui::testing::PushFolderAnswer(std::string("D:\\setup"));
  ui::testing::PushFolderAnswer(std::nullopt);
  EXPECT_EQ(ui::BrowseForFolder("フォルダを選択してください"), "D:\\setup");
  EXPECT_EQ(ui::BrowseForFolder("フォルダを選択してください"), "");
  EXPECT_EQ(ui::testing::ShownFolderPrompts().size(), 2u);
  EXPECT_EQ(ui::testing::ShownFolderPrompts()[0], "フォルダを選択してください");
}

bool IsJapanese(const QString& text) {
  for (const QChar c : text)
    if (c.unicode() >= 0x3000) return true;
  return false;
}

// Qt's own words, whatever the user's locale, and the folder browser with
// its prompt inside the window, above Qt's chooser.
TEST_F(UiDialogs, QtsOwnDialogsSpeakJapaneseAndTheFolderBrowserShowsItsPrompt) {
  const std::pair<const char*, const char*> words[] = {
      {"QFileDialog", "Look in:"},  {"QFileDialog", "Directory:"},
      {"QFileDialog", "&Choose"},   {"QPlatformTheme", "Cancel"},
      {"QPlatformTheme", "&Yes"},   {"QAbstractFileIconProvider", "Folder"},
      {"QFileSystemModel", "Name"},
  };
  for (const auto& [context, source] : words) {
    EXPECT_TRUE(IsJapanese(QCoreApplication::translate(context, source))) << source;
  }

  ui::detail::FolderChooser chooser(QStringLiteral("フォルダを選択してください"), nullptr);
  EXPECT_EQ(chooser.Prompt()->text(), QStringLiteral("フォルダを選択してください"));
  EXPECT_TRUE(IsJapanese(chooser.windowTitle()));
  EXPECT_EQ(chooser.Browser()->parentWidget(), &chooser);
  int labelled = 0;
  for (const QLabel* label : chooser.Browser()->findChildren<QLabel*>()) {
    if (label->text().isEmpty()) continue;
    EXPECT_TRUE(IsJapanese(label->text())) << label->text().toStdString();
    ++labelled;
  }
  for (const QAbstractButton* button : chooser.Browser()->findChildren<QPushButton*>()) {
    if (button->text().isEmpty()) continue;
    EXPECT_TRUE(IsJapanese(button->text())) << button->text().toStdString();
    ++labelled;
  }
  EXPECT_GE(labelled, 4);
  chooser.Browser()->reject();  // the browser's Cancel ends the window
  EXPECT_EQ(chooser.result(), QDialog::Rejected);
  EXPECT_EQ(chooser.Chosen(), QString());
}

TEST_F(UiDialogs, CancelledOpenDialogKeepsTheFileName) {
  ui::Form form;
  auto* dialog = new ui::OpenDialog(&form, "OpenDialog1");
  dialog->FileName = "C:\\old.bmp";
  ui::testing::PushOpenFileAnswer(std::nullopt);
  EXPECT_FALSE(dialog->Execute());
  EXPECT_EQ(dialog->FileName, "C:\\old.bmp");
  ui::testing::PushOpenFileAnswer(std::string("D:\\pic\\a.jpg"));
  EXPECT_TRUE(dialog->Execute());
  EXPECT_EQ(dialog->FileName, "D:\\pic\\a.jpg");
}

TEST_F(UiDialogs, FontDialogGivesFontWithColour) {
  ui::Form form;
  auto* dialog = new ui::FontDialog(&form, "FontDialog1");
  ui::TFont chosen;
  chosen.SetName("ＭＳ 明朝");
  chosen.SetSize(20);
  chosen.SetStyle(ui::fsBold | ui::fsItalic);
  chosen.SetColor(ui::clRed);
  ui::testing::PushFontAnswer(chosen);
  ui::testing::PushFontAnswer(std::nullopt);
  ASSERT_TRUE(dialog->Execute());
  EXPECT_EQ(dialog->Font(), chosen);
  EXPECT_FALSE(dialog->Execute());
  EXPECT_EQ(dialog->Font().Color(), ui::clRed);
}

TEST_F(UiDialogs, FileListHoldsVisibleFilesSortedWithoutFolders) {
  tobrin_test::TempDrives drives;
  const std::string dir = drives.Disc() + "/game";
  std::filesystem::create_directories(dir + "/sub");
  for (const char* name : {"b.txt", "A.txt", ".hidden", "c.dat"})
    tobrin_test::TempDrives::WriteFile(dir + "/" + name, "x");
  ui::Form form;
  auto* list = new ui::FileListBox(&form, "FileListBox1");
  list->SetVisible(false);
  list->SetDirectory("D:\\game");
  EXPECT_EQ(list->Items(), (std::vector<std::string>{"A.txt", "b.txt", "c.dat"}));
  list->SetItemIndex(0);
  EXPECT_EQ(list->ItemIndex(), 0);
  list->SetMask("*.txt");
  EXPECT_EQ(list->Items().size(), 2u);
  // Its list is made only when shown, with the items and index of then.
  list->SetItemIndex(1);
  EXPECT_EQ(form.Impl()->widget->findChild<QListWidget*>(), nullptr);
  list->SetVisible(true);
  form.Show();
  const auto* shown = form.Impl()->widget->findChild<QListWidget*>();
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->count(), 2);
  EXPECT_EQ(shown->currentRow(), 1);
}

// What an open dialog's list shows for the folder (name -> size column),
// once Qt's model has read it.
std::map<std::string, std::string> ListedFiles(const std::string& filter, int filterIndex,
                                               const std::string& folder) {
  QFileDialog dialog;
  ui::detail::SetUpFileList(dialog, filter, filterIndex);
  auto* files = dialog.findChild<QFileSystemModel*>();
  EXPECT_NE(files, nullptr);
  if (!files) return {};
  const QString path = QString::fromStdString(folder);
  QEventLoop loaded;
  QObject::connect(files, &QFileSystemModel::directoryLoaded, &loaded, [&](const QString& done) {
    if (done == path) loaded.quit();
  });
  QTimer::singleShot(5000, &loaded, &QEventLoop::quit);
  dialog.setDirectory(path);
  loaded.exec();
  const QAbstractProxyModel* shown = dialog.proxyModel();
  const QModelIndex root = shown->mapFromSource(files->index(dialog.directory().path()));
  std::map<std::string, std::string> listed;
  for (int row = 0; row < shown->rowCount(root); ++row) {
    listed[shown->index(row, 0, root).data().toString().toStdString()] =
        shown->index(row, 1, root).data().toString().toStdString();
  }
  return listed;
}

// Sizes read in Japanese; the programs' entry also finds Linux programs by
// their names, while an entry that spells its mask shows just that mask;
// "*.*" is every file, as on Windows.
TEST_F(UiDialogs, OpenDialogListsSizesInJapaneseAndLinuxProgramsAmongThePrograms) {
  tobrin_test::TempDrives drives;
  const std::string dir = drives.Disc() + "/menu";
  std::filesystem::create_directories(dir + "/sub");
  tobrin_test::TempDrives::WriteFile(dir + "/setup.EXE", std::string(104, 'x'));
  tobrin_test::TempDrives::WriteFile(dir + "/big.exe", std::string(3 * 1024, 'x'));
  for (const char* name : {"start.sh", "Tool-x86_64.AppImage", "install.run", "play.py",
                           "notes.txt", "start", "run.sh.txt"})
    tobrin_test::TempDrives::WriteFile(dir + "/" + name, "x");

  const auto programs =
      ListedFiles("実行ファイル|*.exe|テキストファイル|*.txt|すべてのファイル|*.*", 1, dir);
  EXPECT_EQ(programs, (std::map<std::string, std::string>{{"Tool-x86_64.AppImage", "1 バイト"},
                                                          {"big.exe", "3.00 KB"},
                                                          {"install.run", "1 バイト"},
                                                          {"play.py", "1 バイト"},
                                                          {"setup.EXE", "104 バイト"},
                                                          {"start.sh", "1 バイト"},
                                                          {"sub", ""}}));
  const auto icons = ListedFiles("*.ico|*.ico|*.exe|*.exe", 2, dir);
  EXPECT_EQ(icons, (std::map<std::string, std::string>{
                       {"big.exe", "3.00 KB"}, {"setup.EXE", "104 バイト"}, {"sub", ""}}));
  const auto all = ListedFiles("すべてのファイル|*.*", 1, dir);
  EXPECT_EQ(all.size(), 10u);
  EXPECT_EQ(all.count("start"), 1u);
}

// A row that got selected while a path was typed (the box had lost focus for
// a moment) must not win over the whole path in the box: the browser takes
// the typed folder, and a mistyped one is refused instead of replaced.
TEST_F(UiDialogs, FolderBrowserTakesTheTypedPathOverARowSelectedWhileTyping) {
  tobrin_test::TempDrives drives;
  const QString disc = QString::fromStdString(drives.Disc() + "/disc");
  std::filesystem::create_directories((disc + "/data").toStdString());
  bool refused = false;
  const auto accept = [&](const QString& typed) {
    auto chooser = std::make_unique<ui::detail::FolderChooser>(QStringLiteral("選択"), nullptr);
    QFileDialog* browser = chooser->Browser();
    browser->setDirectory(disc);
    auto* files = browser->findChild<QFileSystemModel*>();
    auto* rows = browser->findChild<QAbstractItemView*>(QStringLiteral("listView"));
    auto* box = browser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    EXPECT_TRUE(files && rows && box);
    if (!files || !rows || !box) return chooser;
    rows->selectionModel()->select(browser->proxyModel()->mapFromSource(files->index(disc)),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    box->setText(typed);
    EXPECT_FALSE(rows->selectionModel()->selectedRows().isEmpty());
    // Qt's "not found" box, if any, speaks Japanese and is closed.
    QTimer::singleShot(500, [&refused] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        refused = true;
        EXPECT_TRUE(IsJapanese(box->text())) << box->text().toStdString();
        box->close();
      }
    });
    static_cast<QDialog*>(browser)->accept();  // as the box's Return does
    return chooser;
  };

  const auto typed = accept(disc + "/data");
  EXPECT_EQ(typed->result(), QDialog::Accepted);
  EXPECT_EQ(typed->Chosen().toStdString(), (disc + "/data").toStdString());
  EXPECT_FALSE(refused);
  const auto mistyped = accept(disc + "/dataa");
  EXPECT_NE(mistyped->result(), QDialog::Accepted);
  EXPECT_EQ(mistyped->Chosen(), QString());
  EXPECT_TRUE(refused);
}

}  // namespace
