// The archive list view on real forms: the columns and their rules,
// sorting, the selection and focus mirrored into the member list, the
// search, renaming in place, dragging members out (scripted drags on the
// offscreen platform; the real ones run under Xvfb) and dropping files in.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "archive/ArchiveListView.h"
#include "control_support.h"
#include "platform/ui/testing.h"
#include "platform/ui/ui.h"

namespace {

using namespace archive;
using archive_test::ArchiveFolderTest;
namespace fs = std::filesystem;

class TestView : public TArchiveListView {
 public:
  using TArchiveListView::DataFind;
  using TArchiveListView::TArchiveListView;
  // Stands in for a format whose library renames (none in this build).
  bool renameAnywhere = false;

 protected:
  bool CanEdit(int index) override {
    return renameAnywhere ? ui::ListView::CanEdit(index) : TArchiveListView::CanEdit(index);
  }
};

class ViewForm : public ui::Form {
 public:
  ViewForm() : Form("ViewForm") {
    SetClientWidth(700);
    SetClientHeight(300);
    ArchiveListView1 = new TestView(this, "ArchiveListView1");
    ArchiveListView1->SetBounds(0, 0, 700, 300);
  }
  TestView* ArchiveListView1;
};

class ArchiveListViewTest : public ArchiveFolderTest {
 protected:
  void SetUp() override {
    ArchiveFolderTest::SetUp();
    ui::testing::ClearResponder();
    ui::testing::ResetApplication();
    ui::App().SetTitle("テスト");
    // The fake stands in for libraries this system never builds (ARJ, GCA,
    // YZ1); the real ones beside the test program are found first.
    libs = dir / "libs";
    fs::create_directories(libs);
    platform::dynlib::SetLibrarySearchFolder(libs.string());
    setenv("TOBRIN_FAKE_ARCHIVER", (dir / "fake.txt").c_str(), 1);
    form = std::make_unique<ViewForm>();
    view = form->ArchiveListView1;
    form->Show();
    ui::testing::RunEventsFor(10);
  }
  void TearDown() override {
    form.reset();
    unsetenv("TOBRIN_FAKE_ARCHIVER");
    EXPECT_EQ(ui::testing::PendingAnswers(), 0) << "answers left unused";
    EXPECT_EQ(ui::testing::PendingDragScripts(), 0) << "drags that never started";
    ui::testing::ClearResponder();
    ArchiveFolderTest::TearDown();
  }

  // Opens an archive of the fake library, installed under dllName; a new
  // archive is not written first.
  void OpenFake(const std::string& dllName, const std::string& archive, const std::string& script,
                bool existing = true) {
    TOBRIN_REQUIRE_ARCHIVER("Fake32.dll");
    fs::copy_file(fs::path(TOBRIN_BIN_DIR) / "Fake32.dll", libs / dllName,
                  fs::copy_options::overwrite_existing);
    std::ofstream(dir / "fake.txt") << script;
    control.SetFileName(existing ? Write(archive, "fake") : Path(archive));
  }
  std::string OpenZip(const std::string& name, const std::vector<archive_test::Entry>& entries) {
    const std::string path = Archive(name, "zip", entries);
    control.SetFileName(path);
    return path;
  }
  void Link() {
    view->SetArchiveControl(&control);
    view->SetViewStyle(ui::vsReport);
  }
  std::vector<std::string> Row(int row) {
    std::vector<std::string> texts;
    for (int column = 0; column < view->ColumnCount(); ++column) {
      texts.push_back(ui::testing::CellText(*view, row, column));
    }
    return texts;
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int row = 0; row < view->ItemCount(); ++row) {
      names.push_back(ui::testing::CellText(*view, row, 0));
    }
    return names;
  }
  std::vector<bool> SelectedMembers() {
    std::vector<bool> selected;
    for (int i = 0; i < control.Count(); ++i) selected.push_back(control.Items(i)->Selected());
    return selected;
  }
  // Press on a row and move the held button dx pixels to the right.
  void PressAndMove(int row, int dx) {
    const ui::TRect r = ui::testing::RowRect(*view, row);
    const int x = r.Left + 20, y = (r.Top + r.Bottom) / 2;
    ui::testing::MouseDownAt(*view, ui::mbLeft, x, y);
    ui::testing::MouseMoveTo(*view, x + dx, y, ui::ssLeft);
  }
  std::size_t Entries(const std::string& folder) const {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(dir / folder), fs::directory_iterator()));
  }
  static std::string UriOf(const std::string& windowsPath) {
    return "file://" + platform::files::ToPosix(windowsPath);
  }

  fs::path libs;
  TArchiveControl control;
  std::unique_ptr<ViewForm> form;
  TestView* view = nullptr;
};

using Strings = std::vector<std::string>;

TEST_F(ArchiveListViewTest, ColumnsFollowTheFormatsRules) {
  OpenFake("Unarj32j.dll", "a.arj",
           "member a.txt 1000 20 600\nmember dir\\zero.txt 0\nmember b.bin 1025 20 1025\n"
           "member big.dat 5000000 21 1000\n");
  Link();
  ASSERT_EQ(view->ItemCount(), 4);
  EXPECT_EQ(view->ColumnCaption(2), "元のサイズ");
  EXPECT_EQ(view->ColumnAlignment(3), ui::taRightJustify);
  EXPECT_EQ(view->ColumnAlignment(5), ui::taLeftJustify);
  // 100 - ratio / 10 for ARJ; sizes in KB rounded up, at least 1.
  EXPECT_EQ(Row(0), (Strings{"a.txt", "2025/01/02 12:34", "1KB", "40%", "1KB", "", "TXT ファイル",
                             "A---"}));
  EXPECT_EQ(Row(1), (Strings{"zero.txt", "2025/01/02 12:34", "1KB", "100%", "1KB", "dir\\",
                             "TXT ファイル", "A---"}));
  EXPECT_EQ(Row(2)[2], "2KB");
  EXPECT_EQ(Row(2)[3], "0%");
  EXPECT_EQ(Row(3)[2], "4,883KB");
  EXPECT_EQ(Row(3)[7], "A--R");
  EXPECT_EQ(ui::testing::CellImage(*view, 1, 5), view->FolderIconIndex());
  EXPECT_EQ(ui::testing::CellImage(*view, 0, 5), -1);
  EXPECT_EQ(ui::testing::CellImage(*view, 0, 0), control.Items(0)->IconIndex());
  view->OnGetSubItemImage = [&](ui::TListItem&, int subItem, int& image) {
    if (subItem == 4) image = 7;
  };
  view->UpdateItems(0, 3);
  EXPECT_EQ(ui::testing::CellImage(*view, 1, 5), 7);
  view->SetViewStyle(ui::vsList);
  EXPECT_EQ(ui::testing::CellText(*view, 0, 1), "");
  EXPECT_EQ(ui::testing::CellText(*view, 0, 0), "a.txt");

  // GCA shows no ratio; YZ1 no compressed size; ZIP its ratio as it is.
  view->SetViewStyle(ui::vsReport);
  OpenFake("UnGCA32.dll", "b.gca", "member a.txt 1000 20 600\n");
  EXPECT_EQ(Row(0)[3], "-%");
  EXPECT_EQ(Row(0)[4], "1KB");
  OpenFake("Yz1.dll", "c.yz1", "member a.txt 3000 20 600\n");
  EXPECT_EQ(Row(0)[2], "3KB");
  EXPECT_EQ(Row(0)[4], "-KB");
  OpenZip("d.zip", {{"x.txt", std::string(4000, 'x')}});
  const int ratio = control.Items(0)->Ratio();
  EXPECT_EQ(Row(0)[3], std::to_string((ratio + 5) / 10) + "%");
}

TEST_F(ArchiveListViewTest, ColumnClicksSortBothWaysAndKeepTheSelection) {
  OpenFake("Unarj32j.dll", "a.arj", "member b.txt 20\nmember a.txt 30\nmember c.txt 10\n");
  Link();
  std::vector<int> clicked;
  view->OnColumnClick = [&](int column) {
    clicked.push_back(column);
    EXPECT_EQ(Names(), (Strings{"b.txt", "a.txt", "c.txt"}));  // the sort comes after
  };
  ui::testing::ClickRow(*view, 0);
  ui::testing::ClickColumnHeader(*view, 0);
  EXPECT_EQ(Names(), (Strings{"a.txt", "b.txt", "c.txt"}));
  EXPECT_EQ(view->ItemState(1), ui::isSelected | ui::isFocused);  // b.txt
  view->OnColumnClick = [&](int column) { clicked.push_back(column); };
  ui::testing::ClickColumnHeader(*view, 0);
  EXPECT_EQ(Names(), (Strings{"c.txt", "b.txt", "a.txt"}));
  ui::testing::ClickColumnHeader(*view, 7);  // attributes: no sort
  EXPECT_EQ(Names(), (Strings{"c.txt", "b.txt", "a.txt"}));
  ui::testing::ClickColumnHeader(*view, 2);
  EXPECT_EQ(Names(), (Strings{"c.txt", "b.txt", "a.txt"}));  // 10, 20, 30
  EXPECT_EQ(SelectedMembers(), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(clicked, (std::vector<int>{0, 0, 7, 2}));

  // Without a control a click only reports itself.
  view->SetArchiveControl(nullptr);
  EXPECT_EQ(view->ItemCount(), 0);
  ui::testing::ClickColumnHeader(*view, 0);
  EXPECT_EQ(clicked.back(), 0);
  EXPECT_EQ(control.Items(0)->FileName(), "c.txt");
}

TEST_F(ArchiveListViewTest, SelectionAndFocusAreMirroredIntoTheMemberList) {
  OpenFake("Unarj32j.dll", "a.arj",
           "member a.txt 100\nmember b.txt 200\nmember c.txt 300\nmember d.txt 400\n");
  Link();
  std::pair<std::uint32_t, std::uint32_t> sizes{99, 99};
  int reports = 0;
  view->OnSelChange = [&](TArchiveListView*, std::uint32_t sel, std::uint32_t total) {
    sizes = {sel, total};
    ++reports;
  };
  view->SelectAll();
  EXPECT_EQ(SelectedMembers(), (std::vector<bool>{true, true, true, true}));
  EXPECT_EQ(sizes, (std::pair<std::uint32_t, std::uint32_t>{1000, 1000}));
  EXPECT_EQ(reports, 1);
  view->ClearSelection();
  EXPECT_EQ(SelectedMembers(), (std::vector<bool>(4, false)));
  EXPECT_EQ(sizes.first, 0u);

  // A range with shift, then a plain click elsewhere drops the whole range.
  ui::testing::ClickRow(*view, 0);
  ui::testing::ClickRow(*view, 2, ui::ssShift);
  EXPECT_EQ(SelectedMembers(), (std::vector<bool>{true, true, true, false}));
  EXPECT_EQ(sizes.first, 600u);
  EXPECT_EQ(control.ArchiveList()->FocusedItem(), control.Items(2));
  ui::testing::ClickRow(*view, 3);
  EXPECT_EQ(SelectedMembers(), (std::vector<bool>{false, false, false, true}));
  EXPECT_EQ(sizes.first, 400u);
  EXPECT_EQ(control.ArchiveList()->FocusedItem(), control.Items(3));

  // A reload marks the rows from the members again.
  view->ArchiveChanged();
  EXPECT_EQ(view->ItemState(3), ui::isSelected | ui::isFocused);
  EXPECT_EQ(view->SelCount(), 1);

  // The work folder: only an existing one, or none.
  view->SetWorkDirectory(Folder("work"));
  view->SetWorkDirectory(Path("missing"));
  EXPECT_EQ(view->WorkDirectory(), Path("work"));
  view->SetWorkDirectory("");
  EXPECT_EQ(view->WorkDirectory(), "");

  // Destroying the linked control empties the view.
  auto other = std::make_unique<TArchiveControl>();
  other->SetFileName(control.FileName());
  view->SetArchiveControl(other.get());
  EXPECT_EQ(view->ItemCount(), 4);
  other.reset();
  EXPECT_EQ(view->ItemCount(), 0);
  EXPECT_EQ(view->ArchiveControl(), nullptr);
}

TEST_F(ArchiveListViewTest, SearchFindsAPartAnywhereAndEnterActivatesTheRow) {
  OpenFake("Unarj32j.dll", "a.arj", "member readme.TXT 1\nmember setup.exe 1\nmember data.txt 1\n");
  Link();
  EXPECT_EQ(view->DataFind(ui::ifPartialString, "txt", 1, true), 2);
  EXPECT_EQ(view->DataFind(ui::ifPartialString, ".EXE", 2, true), 1);
  EXPECT_EQ(view->DataFind(ui::ifPartialString, ".EXE", 2, false), -1);
  EXPECT_EQ(view->DataFind(ui::ifExactString, "SET", 0, true), 1);
  EXPECT_EQ(view->DataFind(ui::ifExactString, "exe", 0, true), -1);
  EXPECT_EQ(view->DataFind(ui::ifExactString, "Data.TXT", 0, true), 2);
  EXPECT_EQ(view->DataFind(ui::ifPartialString, "a", 5, true), -1);
  EXPECT_EQ(view->DataFind(ui::ifNearest, "a", 0, true), -1);

  // Typing in the view searches from below the focused row.
  ui::testing::ClickRow(*view, 0);
  view->SetFocus();
  ui::testing::TypeText(*view, "d");  // not in "setup.exe"
  EXPECT_EQ(view->ItemFocused(), 2);
  ui::testing::TypeText(*view, "a");  // "da" goes on from the focused row
  EXPECT_EQ(view->ItemFocused(), 2);
  EXPECT_EQ(control.ArchiveList()->FocusedItem(), control.Items(2));
  EXPECT_EQ(SelectedMembers(), (std::vector<bool>{false, false, true}));

  // Enter activates the focused row.
  TArchiveItem* activated = nullptr;
  int subItem = -1;
  view->OnArcItemActivate = [&](TArchiveListView*, TArchiveItem* item, TShiftState, int sub, int,
                                int) {
    activated = item;
    subItem = sub;
  };
  ui::testing::PressKey(*form, ui::vkReturn);
  EXPECT_EQ(activated, control.Items(2));
  EXPECT_EQ(subItem, 0);
}

TEST_F(ArchiveListViewTest, RenameInPlaceOnlyWhereTheFormatAllowsIt) {
  TOBRIN_REQUIRE_ARCHIVER("Unlha32.dll");
  fs::copy_file(fs::path(TOBRIN_TEST_DATA) / "archivers/japanese.lzh", dir / "j.lzh");
  control.SetFileName(Path("j.lzh"));
  Link();
  ASSERT_GT(view->ItemCount(), 0);
  // Our LHA library has no rename command: no editor opens.
  view->EditCaption(0);
  EXPECT_FALSE(view->IsEditing());

  // Where one opens, the names typed lose what no name may hold; a rename
  // the library refuses leaves the row as it was.
  view->renameAnywhere = true;
  const std::string before = ui::testing::CellText(*view, 0, 0);
  std::vector<std::string> texts;
  view->OnEdited = [&](int, std::string& text, bool&) { texts.push_back(text); };
  view->EditCaption(0);
  ASSERT_TRUE(view->IsEditing());
  ASSERT_TRUE(ui::testing::TypeIntoEditor(*view, "n/e:w*.t?x\"t", true));
  EXPECT_EQ(texts, Strings{"new.txt"});
  EXPECT_EQ(ui::testing::CellText(*view, 0, 0), before);

  view->renameAnywhere = false;
  OpenZip("a.zip", {{"x.txt", "x"}});
  view->EditCaption(0);
  EXPECT_FALSE(view->IsEditing());
}

TEST_F(ArchiveListViewTest, DragOutOffersTopLevelEntriesExtractedIntoTheDragsOwnFolder) {
  TOBRIN_REQUIRE_ARCHIVER("Unzip32.dll");
  OpenZip("a.zip", {{"docs/a.txt", "A"},
                    {"docs/sub/b.txt", "B"},
                    {"top.txt", "T"},
                    {"./dot/x.txt", "X"},
                    {"other.txt", "O"}});
  Link();
  control.ZipOptions().ExtractOptions.Exclude(eoZipIncludeDir);
  // No work folder: the temporary folder, where something else lies.
  const std::string tmp = Folder("tmp");
  Write("tmp/keep.txt", "keep");
  const char* savedTmp = std::getenv("TMPDIR");
  const std::string oldTmp = savedTmp ? savedTmp : "";
  setenv("TMPDIR", (dir / "tmp").c_str(), 1);

  ui::testing::ClickRow(*view, 0);
  ui::testing::ClickRow(*view, 3, ui::ssShift);
  std::string uris;
  std::string folder;
  ui::testing::PushDragScript([&](ui::testing::OfferedDrag& offered) {
    EXPECT_EQ(view->DragState(), 3);
    const TArchiveDataObject* data = view->OutgoingDataObject();
    EXPECT_EQ(data->Entries(), (Strings{"docs", "dot", "top.txt"}));
    EXPECT_EQ(data->MemberNames().size(), 4u);
    EXPECT_EQ(offered.Formats(), Strings{"text/uri-list"});
    // Members of this view dropped back onto it are refused.
    EXPECT_EQ(ui::testing::DropFiles(*view, 20, 40, {Write("y.txt", "y")}), ui::DROPEFFECT_NONE);
    uris = offered.UriList();
    folder = data->Folder();
    EXPECT_EQ(offered.UriList(), uris);
    return ui::DROPEFFECT_MOVE;
  });
  PressAndMove(1, 5);
  EXPECT_EQ(ui::testing::PendingDragScripts(), 1);  // within 5 pixels: no drag yet
  PressAndMove(1, 6);
  ASSERT_EQ(ui::testing::PendingDragScripts(), 0);
  if (savedTmp)
    setenv("TMPDIR", oldTmp.c_str(), 1);
  else
    unsetenv("TMPDIR");

  EXPECT_EQ(view->DragState(), 0);
  EXPECT_EQ(view->OutgoingDataObject(), nullptr);
  ASSERT_EQ(folder.rfind(tmp + "\\drag-", 0), 0u) << folder;
  EXPECT_EQ(uris, UriOf(folder + "docs") + "\r\n" + UriOf(folder + "dot") + "\r\n" +
                      UriOf(folder + "top.txt") + "\r\n");
  const std::string local = platform::files::ToPosix(folder);
  const std::string inDir = local.substr(dir.string().size() + 1) + "/";
  EXPECT_EQ(Read(inDir + "docs/sub/b.txt"), "B");
  EXPECT_EQ(Read(inDir + "dot/x.txt"), "X");
  EXPECT_FALSE(fs::exists(local + "/other.txt"));
  EXPECT_FALSE(control.ZipOptions().ExtractOptions.Contains(eoZipIncludeDir));

  // The drag's folder goes with the view; nothing else in the folder does.
  form.reset();
  EXPECT_FALSE(fs::exists(local));
  EXPECT_EQ(Read("tmp/keep.txt"), "keep");
  EXPECT_EQ(Entries("tmp"), 1u);
}

// The list style lays the names top to bottom in several columns, the icon
// style left to right in rows with each name under its icon; in both the
// selection, renaming in place and a drag out work as in the report style,
// and a change of style keeps the selection and the focused row.
TEST_F(ArchiveListViewTest, ListAndIconStylesFlowAndKeepEverythingTheRowsDo) {
  TOBRIN_REQUIRE_ARCHIVER("Unzip32.dll");
  std::vector<archive_test::Entry> entries;
  for (int i = 0; i < 60; ++i) entries.push_back({"f" + std::to_string(100 + i) + ".txt", "x"});
  OpenZip("many.zip", entries);
  view->SetArchiveControl(&control);
  view->renameAnywhere = true;
  std::vector<std::string> renamed;
  view->OnEdited = [&](int, std::string& text, bool&) { renamed.push_back(text); };

  for (const ui::TViewStyle style : {ui::vsList, ui::vsIcon}) {
    SCOPED_TRACE(style == ui::vsList ? "list" : "icon");
    view->SetViewStyle(style);
    ui::testing::RunEventsFor(10);
    const ui::TRect first = ui::testing::RowRect(*view, 0);
    const ui::TRect second = ui::testing::RowRect(*view, 1);
    ASSERT_GT(first.Width(), 0);
    int nextLine = -1;  // the first row of the second column (list) or row (icon)
    for (int row = 1; row < view->ItemCount() && nextLine < 0; ++row) {
      const ui::TRect r = ui::testing::RowRect(*view, row);
      if (style == ui::vsList ? r.Left > first.Left : r.Top > first.Top) nextLine = row;
    }
    ASSERT_GT(nextLine, 1);
    const ui::TRect next = ui::testing::RowRect(*view, nextLine);
    if (style == ui::vsList) {
      EXPECT_EQ(second.Left, first.Left);
      EXPECT_GT(second.Top, first.Top);
      EXPECT_EQ(next.Top, first.Top);
      // A third column, still on screen: the names flow on.
      EXPECT_GT(ui::testing::RowRect(*view, 2 * nextLine).Left, next.Left);
    } else {
      EXPECT_EQ(second.Top, first.Top);
      EXPECT_GT(second.Left, first.Left);
      EXPECT_EQ(next.Left, first.Left);
      // A large icon with the name below it.
      EXPECT_GE(first.Height(), 32 + 12);
      EXPECT_EQ(ui::testing::CellImage(*view, 0, 0), control.Items(0)->IconIndex());
    }
    EXPECT_EQ(ui::testing::CellText(*view, nextLine, 0), control.Items(nextLine)->FileName());

    // Rows 1 to the first of the next line, through real clicks.
    ui::testing::ClickRow(*view, 1);
    ui::testing::ClickRow(*view, nextLine, ui::ssShift);
    std::vector<bool> expected(60, false);
    for (int row = 1; row <= nextLine; ++row) expected[static_cast<std::size_t>(row)] = true;
    EXPECT_EQ(SelectedMembers(), expected);
    EXPECT_EQ(view->ItemFocused(), nextLine);

    view->EditCaption(nextLine);
    ASSERT_TRUE(view->IsEditing());
    ASSERT_TRUE(ui::testing::TypeIntoEditor(*view, "new.txt", true));
    EXPECT_FALSE(view->IsEditing());

    Strings offered;
    ui::testing::PushDragScript([&](ui::testing::OfferedDrag&) {
      offered = view->OutgoingDataObject()->Entries();
      return ui::DROPEFFECT_COPY;
    });
    PressAndMove(2, 8);
    EXPECT_EQ(ui::testing::PendingDragScripts(), 0);
    EXPECT_EQ(offered.size(), static_cast<std::size_t>(nextLine));
    EXPECT_EQ(offered.front(), "f101.txt");
    EXPECT_EQ(view->DragState(), 0);

    // To the other style and back to this one: the selection stays, and
    // the focus too (a change to or from the list style takes the member
    // list's).
    const int focus =
        style == ui::vsList ? control.ArchiveList()->CurrentIndex() : view->ItemFocused();
    view->SetViewStyle(style == ui::vsList ? ui::vsReport : ui::vsSmallIcon);
    EXPECT_EQ(SelectedMembers(), expected);
    view->SetViewStyle(style);
    EXPECT_EQ(SelectedMembers(), expected);
    EXPECT_EQ(view->ItemFocused(), focus);
    EXPECT_EQ(view->ItemState(nextLine), ui::isSelected | (focus == nextLine ? ui::isFocused : 0));
    view->ClearSelection();
  }
  EXPECT_EQ(renamed, (Strings{"new.txt", "new.txt"}));

  // Scrolled to the end, the last member is on screen in both styles.
  for (const ui::TViewStyle style : {ui::vsList, ui::vsIcon}) {
    view->SetViewStyle(style);
    view->MakeVisible(59);
    ui::testing::RunEventsFor(10);
    EXPECT_GT(ui::testing::RowRect(*view, 59).Width(), 0);
    EXPECT_EQ(ui::testing::RowRect(*view, 0).Width(), 0);
  }
}

TEST_F(ArchiveListViewTest, DragOutKeepsHostileMembersInsideAndRefusesCleanly) {
  TOBRIN_REQUIRE_ARCHIVER("Unzip32.dll");
  EXPECT_EQ(TopLevelEntry("../../up/x.txt"), "up");
  EXPECT_EQ(TopLevelEntry("\\abs.txt"), "abs.txt");
  EXPECT_EQ(TopLevelEntry("./a\\b"), "a");
  EXPECT_EQ(TopLevelEntry(".."), "");
  OpenZip("a.zip",
          {{"../evil.txt", "E"}, {"/abs.txt", "A"}, {"../../up/x.txt", "U"}, {"ok.txt", "ok"}});
  Link();
  const std::string work = Folder("box/work");
  view->SetWorkDirectory(work);
  const auto dragOut = [&](int row) {
    std::string uris = "not asked";
    ui::testing::PushDragScript([&](ui::testing::OfferedDrag& offered) {
      uris = offered.UriList();
      return ui::DROPEFFECT_NONE;
    });
    PressAndMove(row, 10);
    ui::testing::MouseUpAt(*view, ui::mbLeft, 0, 0);
    return uris;
  };
  const auto workFolderEmpty = [&] { return fs::is_empty(dir / "box/work"); };

  // The extraction refuses the names that lead out: the drag gives nothing.
  view->SelectAll();
  EXPECT_EQ(dragOut(3), "");
  EXPECT_TRUE(workFolderEmpty());
  EXPECT_EQ(Entries("box"), 1u);
  EXPECT_FALSE(fs::exists(dir / "evil.txt"));
  EXPECT_FALSE(fs::exists(dir / "up"));

  ui::testing::ClickRow(*view, 3);
  const std::string uris = dragOut(3);
  ASSERT_EQ(uris.rfind(UriOf(work + "\\drag-"), 0), 0u) << uris;
  EXPECT_TRUE(uris.ends_with("/ok.txt\r\n")) << uris;

  // A refusal before the drop, and an error inside it: nothing is left,
  // the folder option comes back, and the error is shown once it is over.
  view->OnArcBeforeDrop = [](TArchiveListView*, TArchiveDataObject*, TShiftState, TPoint,
                             bool& accept) { accept = false; };
  const std::size_t folders = Entries("box/work");
  EXPECT_EQ(dragOut(3), "");
  EXPECT_EQ(Entries("box/work"), folders);
  view->OnArcBeforeDrop = [&](TArchiveListView*, TArchiveDataObject*, TShiftState, TPoint, bool&) {
    throw std::runtime_error("展開を中止しました");
  };
  EXPECT_EQ(dragOut(3), "");
  EXPECT_EQ(Entries("box/work"), folders);
  EXPECT_TRUE(control.ZipOptions().ExtractOptions.Contains(eoZipIncludeDir));
  ui::testing::PushMessageAnswer(ui::mrOk);
  ui::testing::RunEventsFor(30);
  ASSERT_FALSE(ui::testing::ShownBoxes().empty());
  EXPECT_EQ(ui::testing::ShownBoxes().back().text, "展開を中止しました.");
}

TEST_F(ArchiveListViewTest, DropCompressesFilesAndFoldersIntoTheArchive) {
  TOBRIN_REQUIRE_ARCHIVER("Zip32j.dll");
  OpenZip("a.zip", {{"old.txt", "old"}});
  Link();
  const std::string file = Write("new.txt", "new");
  Folder("photos");
  Write("photos/p.jpg", "jpg");
  Folder("other");
  const std::string third = Write("other/third.txt", "3");
  std::vector<TShiftState> shifts;
  Strings files;
  view->OnArcDragEnter = [&](TArchiveListView*, TArchiveDragObject*, TShiftState shift, TPoint,
                             bool&) { shifts.push_back(shift); };
  view->OnArcDragDrop = [&](TArchiveListView*, TArchiveDragObject* source, TShiftState shift,
                            TPoint, bool&) {
    shifts.push_back(shift);
    files = source->Files();
  };
  EXPECT_EQ(ui::testing::DropFiles(*view, 20, 40, {file, Path("photos"), third}, ui::MK_RBUTTON),
            ui::DROPEFFECT_COPY);
  EXPECT_EQ(shifts, (std::vector<TShiftState>{ui::ssRight, ui::ssRight}));
  EXPECT_EQ(files, (Strings{file, Path("photos") + "\\*.*", third}));
  EXPECT_EQ(Names(), (Strings{"old.txt", "new.txt", "p.jpg", "third.txt"}));
  EXPECT_EQ(control.Items(2)->FullName(), "photos\\p.jpg");
  EXPECT_EQ(view->IncomingDragObject(), nullptr);

  // Refused by the handler, a name the archive cannot hold, a file gone.
  view->OnArcDragDrop = [](TArchiveListView*, TArchiveDragObject*, TShiftState, TPoint,
                           bool& accept) { accept = false; };
  EXPECT_EQ(ui::testing::DropFiles(*view, 20, 40, {Write("more.txt", "m")}), ui::DROPEFFECT_NONE);
  view->OnArcDragDrop = nullptr;
  EXPECT_EQ(ui::testing::DropFiles(*view, 20, 40, {Write("絵😀.txt", "e")}), ui::DROPEFFECT_NONE);
  ui::testing::PushMessageAnswer(ui::mrOk);
  ui::testing::RunEventsFor(30);
  EXPECT_NE(ui::testing::ShownBoxes().back().text.find("絵😀.txt"), std::string::npos);
  EXPECT_EQ(control.Count(), 4);

  // Archives that cannot take files refuse the drag at once.
  for (const char* name : {"japanese.rar", "japanese.cab"}) {
    fs::copy_file(fs::path(TOBRIN_TEST_DATA) / "archivers" / name, dir / name);
    control.SetFileName(Path(name));
    ASSERT_GT(control.Count(), 0) << name;
    EXPECT_EQ(ui::testing::DragFilesOver(*view, 20, 40, {file}), ui::DROPEFFECT_NONE) << name;
  }
  // A compress that fails ends the drop with no effect.
  OpenFake("Yz1.dll", "new.yz1", "result 1\n", false);
  ASSERT_TRUE(control.CanCompress());
  EXPECT_EQ(ui::testing::DropFiles(*view, 20, 40, {file}), ui::DROPEFFECT_NONE);
  view->SetArchiveControl(nullptr);
  EXPECT_EQ(ui::testing::DragFilesOver(*view, 20, 40, {file}), ui::DROPEFFECT_NONE);
}

TEST_F(ArchiveListViewTest, DragOutExtractsFromItsStartAndLeavesNothingWithoutADrop) {
  TOBRIN_REQUIRE_ARCHIVER("Unzip32.dll");
  OpenZip("a.zip", {{"docs/a.txt", "A"}, {"top.txt", "T"}});
  Link();
  EXPECT_EQ(view->FindData(control.Items(1)), 1);
  EXPECT_EQ(view->FindData(nullptr), -1);
  // What a killed program's view left goes when a view takes the folder;
  // a running program's folders, links and other names stay.
  const std::string work = Folder("work");
  const std::string running = "drag-" + std::to_string(getpid()) + "-abcdef";
  for (const std::string name : {"drag-2147483646-abcdef", "drag-1-abcdef", running.c_str(),
                                 "drag-x", "drag-2147483646-abc"}) {
    Folder("work/" + name);
  }
  Write("work/drag-2147483646-abcdef/left.txt", "left");
  fs::create_directory_symlink(dir / "work/drag-x", dir / "work/drag-2147483645-linked");
  view->SetWorkDirectory(work);
  EXPECT_EQ(Entries("work"), 5u);
  EXPECT_FALSE(fs::exists(dir / "work/drag-2147483646-abcdef"));
  for (const std::string name : {"drag-1-abcdef", running.c_str(), "drag-x", "drag-2147483646-abc",
                                 "drag-2147483645-linked"}) {
    fs::remove(dir / "work" / name);
  }
  const auto drag = [&](std::function<int(ui::testing::OfferedDrag&)> script) {
    ui::testing::PushDragScript(std::move(script));
    PressAndMove(0, 10);
    ui::testing::MouseUpAt(*view, ui::mbLeft, 0, 0);
  };
  const auto workEntries = [&] { return Entries("work"); };
  view->SelectAll();

  // A target passing over gets the names at once; Esc then leaves nothing.
  std::string hover;
  drag([&](ui::testing::OfferedDrag& offered) {
    hover = offered.HoverUriList();
    return ui::DROPEFFECT_NONE;
  });
  EXPECT_NE(hover.find("/drag-"), std::string::npos) << hover;
  EXPECT_TRUE(hover.ends_with("/docs\r\n") || hover.ends_with("/top.txt\r\n")) << hover;
  EXPECT_EQ(workEntries(), 0u);

  // At the drop the same names, the files whole.
  std::string dropped;
  drag([&](ui::testing::OfferedDrag& offered) {
    hover = offered.HoverUriList();
    dropped = offered.UriList();
    return ui::DROPEFFECT_MOVE;
  });
  EXPECT_EQ(dropped, hover);
  const std::string folder = dropped.substr(7, dropped.find("/docs") - 7);
  EXPECT_EQ(Read(folder.substr(dir.string().size() + 1) + "/docs/a.txt"), "A");

  // Slower than a target waits: it gets nothing, the box names the
  // members and the way to them, and nothing stays.
  OpenFake("Yz1.dll", "slow.yz1", "progress 1\ndelay 5000\nmember big.dat 9\nmember b.dat 1\n");
  view->SelectAll();
  std::string slow = "not asked";
  drag([&](ui::testing::OfferedDrag& offered) {
    slow = offered.UriList();
    return ui::DROPEFFECT_MOVE;
  });
  EXPECT_EQ(slow, "");
  ui::testing::PushMessageAnswer(ui::mrOk);
  ui::testing::RunEventsFor(30);
  ASSERT_FALSE(ui::testing::ShownBoxes().empty());
  const std::string box = ui::testing::ShownBoxes().back().text;
  EXPECT_NE(box.find("big.dat、b.dat"), std::string::npos) << box;
  EXPECT_NE(box.find("書庫から展開して"), std::string::npos) << box;
  EXPECT_EQ(workEntries(), 1u);

  // A drag the target took but never asked for, and the one it got: both
  // go with the view.
  OpenZip("a.zip", {{"docs/a.txt", "A"}, {"top.txt", "T"}});
  view->SelectAll();
  drag([](ui::testing::OfferedDrag&) { return ui::DROPEFFECT_MOVE; });
  EXPECT_EQ(workEntries(), 2u);
  form.reset();
  EXPECT_EQ(workEntries(), 0u);
}

TEST_F(ArchiveListViewTest, ADroppedNameIsExactlyThatFileOrFolder) {
  TOBRIN_REQUIRE_ARCHIVER("Zip32j.dll");
  TOBRIN_REQUIRE_ARCHIVER("Tar32.dll");
  OpenZip("a.zip", {{"old.txt", "old"}});
  Link();
  Folder("src/a-b");
  const std::string starTxt = Write("src/*.txt", "star");
  const std::string star = Write("src/*", "all");
  const std::string question = Write("src/?", "one");
  Write("src/secret.txt", "s");
  Write("src/secret2.txt", "s2");
  Write("src/.hidden_private", "h");
  Write("src/a-b/in.txt", "in");
  EXPECT_EQ(ui::testing::DropFiles(*view, 20, 40, {starTxt}), ui::DROPEFFECT_COPY);
  EXPECT_EQ(Names(), (Strings{"old.txt", "*.txt"}));
  EXPECT_EQ(ui::testing::DropFiles(*view, 20, 40, {star, question, Path("src/a-b")}),
            ui::DROPEFFECT_COPY);
  EXPECT_EQ(Names(), (Strings{"old.txt", "*.txt", "*", "?", "in.txt"}));
  EXPECT_EQ(control.Items(4)->FullName(), "a-b\\in.txt");

  // Where the command cannot name them, such names are refused, saying why.
  control.SetFileName(Path("new.tar"));
  ASSERT_TRUE(control.CanCompress());
  EXPECT_EQ(ui::testing::DropFiles(*view, 20, 40, {Write("src/plain.txt", "p"), starTxt}),
            ui::DROPEFFECT_NONE);
  ui::testing::PushMessageAnswer(ui::mrOk);
  ui::testing::RunEventsFor(30);
  ASSERT_FALSE(ui::testing::ShownBoxes().empty());
  EXPECT_NE(ui::testing::ShownBoxes().back().text.find("*.txt"), std::string::npos);
  EXPECT_EQ(view->ItemCount(), 0);

  // Links that name no local file are refused as they enter.
  EXPECT_EQ(ui::testing::DragUrlsOver(*view, 20, 40, {"https://example.com/a.txt"}),
            ui::DROPEFFECT_NONE);
  EXPECT_EQ(ui::testing::DragUrlsOver(*view, 20, 40, {UriOf(starTxt)}), ui::DROPEFFECT_COPY);
}

}  // namespace
