// The owner-data list view: rows fetched as they are shown, the state
// notifications of the Windows list view, renaming in place, and drag and
// drop through the widget layer.
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/files/files.h"
#include "platform/ui/listview.h"
#include "ui_test_support.h"

namespace {

using namespace ui;

class Host : public Form {
 public:
  Host() : Form("Host") {
    SetClientWidth(400);
    SetClientHeight(300);
    View = new ListView(this, "ListView1");
    View->SetBounds(0, 0, 400, 300);
  }
  ListView* View;
};

using UiListView = UiTest;

TEST_F(UiListView, RowsAreFetchedOnlyAsTheyAreShown) {
  Host host;
  ListView& view = *host.View;
  view.SetViewStyle(vsReport);
  view.AddColumn("名前", 150);
  view.AddColumn("サイズ", 80, taRightJustify);
  std::set<int> fetched;
  std::vector<std::pair<int, int>> hints;
  view.OnData = [&](TListItem& item) {
    fetched.insert(item.Index);
    item.Caption = "row" + std::to_string(item.Index);
    item.SubItems = {std::to_string(item.Index * 10)};
  };
  view.OnDataHint = [&](int first, int last) { hints.emplace_back(first, last); };
  view.SetItemCount(100000);
  host.Show();
  ui::testing::RunEventsFor(20);
  view.Repaint();
  ASSERT_FALSE(fetched.empty());
  EXPECT_EQ(*fetched.begin(), 0);
  EXPECT_LT(fetched.size(), 40u);
  ASSERT_FALSE(hints.empty());
  EXPECT_EQ(hints.front().first, 0);
  EXPECT_LT(hints.front().second, 40);
  EXPECT_EQ(ui::testing::CellText(view, 99999, 1), "999990");

  view.MakeVisible(99999);
  view.Repaint();
  EXPECT_EQ(hints.back().second, 99999);
  EXPECT_EQ(view.GetItemAt(10, 5), -1);  // the header
  const TRect last = ui::testing::RowRect(view, 99999);
  EXPECT_EQ(view.GetItemAt(20, (last.Top + last.Bottom) / 2), 99999);
  EXPECT_LT(fetched.size(), 80u);
}

TEST_F(UiListView, StateChangesAreReportedAsTheWindowsListViewDoes) {
  Host host;
  ListView& view = *host.View;
  view.SetViewStyle(vsReport);
  view.AddColumn("名前", 150);
  view.SetMultiSelect(true);
  view.OnData = [](TListItem& item) { item.Caption = std::to_string(item.Index); };
  view.SetItemCount(10);
  host.Show();
  std::vector<std::string> notes;
  view.OnItemChange = [&](int index, unsigned from, unsigned to) {
    notes.push_back("item " + std::to_string(index) + " " + std::to_string(from) + ">" +
                    std::to_string(to));
  };
  view.OnDataStateChange = [&](int first, int last, unsigned from, unsigned to) {
    notes.push_back("range " + std::to_string(first) + "-" + std::to_string(last) + " " +
                    std::to_string(from) + ">" + std::to_string(to));
  };

  view.SelectAll();
  EXPECT_EQ(notes, std::vector<std::string>{"item -1 0>2"});
  EXPECT_EQ(view.SelCount(), 10);
  notes.clear();
  view.ClearSelection();
  EXPECT_EQ(notes, std::vector<std::string>{"item -1 2>0"});
  EXPECT_EQ(view.SelCount(), 0);

  // The user: a click, a shift-click, a plain click elsewhere.
  notes.clear();
  ui::testing::ClickRow(view, 2);
  EXPECT_EQ(view.ItemState(2), isSelected | isFocused);
  EXPECT_EQ(notes, (std::vector<std::string>{"item 2 0>1", "item 2 1>3"}));
  notes.clear();
  ui::testing::ClickRow(view, 6, ssShift);
  EXPECT_EQ(view.SelCount(), 5);
  EXPECT_EQ(notes, (std::vector<std::string>{"item 2 3>2", "item 6 0>1", "range 3-6 0>2"}));
  notes.clear();
  ui::testing::ClickRow(view, 8);
  EXPECT_EQ(notes,
            (std::vector<std::string>{"item 6 3>2", "item 8 0>1", "range 2-6 2>0", "item 8 1>3"}));
  EXPECT_EQ(view.SelCount(), 1);

  // Inside an update only the rows whose state really changes are reported.
  notes.clear();
  view.BeginUpdate();
  for (int i = 0; i < 10; ++i) view.SetItemState(i, i < 2 || i == 8 ? isSelected : 0, isSelected);
  EXPECT_EQ(view.ItemState(0), isSelected);  // pending, already visible to the program
  EXPECT_TRUE(notes.empty());
  view.EndUpdate();
  EXPECT_EQ(notes, std::vector<std::string>{"range 0-1 0>2"});
  EXPECT_EQ(view.SelCount(), 3);
  notes.clear();
  view.SetItemState(5, isFocused, isFocused);
  EXPECT_EQ(notes, (std::vector<std::string>{"item 8 3>2", "item 5 0>1"}));
  EXPECT_EQ(view.ItemFocused(), 5);
}

TEST_F(UiListView, RenameInPlaceWithKeyFilterAndVeto) {
  Host host;
  ListView& view = *host.View;
  view.SetViewStyle(vsReport);
  view.AddColumn("名前", 150);
  std::vector<std::string> names = {"a.txt", "b.txt"};
  std::vector<std::string> edited;
  view.OnData = [&](TListItem& item) { item.Caption = names[size_t(item.Index)]; };
  view.OnEditing = [](int index, bool& allow) { allow = index == 0; };
  view.OnEditKeyPress = [](char32_t& key) {
    if (key == U'/') key = 0;
  };
  view.OnEdited = [&](int index, std::string& text, bool& accept) {
    edited.push_back(text);
    if (text == "veto.txt") {
      accept = false;
    } else {
      names[size_t(index)] = text;
    }
  };
  view.SetItemCount(2);
  host.Show();

  view.EditCaption(1);
  EXPECT_FALSE(view.IsEditing());
  view.EditCaption(0);
  ASSERT_TRUE(ui::testing::TypeIntoEditor(view, "x/y.txt", true));
  EXPECT_FALSE(view.IsEditing());
  EXPECT_EQ(ui::testing::CellText(view, 0, 0), "xy.txt");
  view.EditCaption(0);
  ASSERT_TRUE(ui::testing::TypeIntoEditor(view, "veto.txt", true));
  EXPECT_EQ(ui::testing::CellText(view, 0, 0), "xy.txt");
  view.EditCaption(0);
  ASSERT_TRUE(ui::testing::TypeIntoEditor(view, "gone.txt", false));  // Esc
  // A character CP932 cannot hold is not taken, as in an ANSI edit box.
  view.EditCaption(0);
  ASSERT_TRUE(ui::testing::TypeIntoEditor(view, "c😀.txt", true));
  EXPECT_EQ(edited, (std::vector<std::string>{"xy.txt", "veto.txt", "c.txt"}));
  EXPECT_EQ(ui::testing::CellText(view, 0, 0), "c.txt");
  view.SetReadOnly(true);
  view.EditCaption(0);
  EXPECT_FALSE(view.IsEditing());
}

class RecordingTarget : public DropTarget {
 public:
  void DragEnter(std::shared_ptr<DropData> data, std::uint32_t keyState, int, int,
                 int& effect) override {
    if (throwOnEnter) throw std::runtime_error("受け取れません");
    calls.push_back("enter " + std::to_string(keyState) + " " + std::to_string(effect));
    files = data->Files();
    effect = answer;
  }
  void DragOver(std::uint32_t, int, int, int& effect) override { effect = answer; }
  void DragLeave() override { calls.push_back("leave"); }
  void Drop(std::shared_ptr<DropData>, std::uint32_t keyState, int, int, int& effect) override {
    calls.push_back("drop " + std::to_string(keyState));
    effect = answer;
  }
  std::vector<std::string> calls;
  std::vector<std::string> files;
  int answer = DROPEFFECT_COPY;
  bool throwOnEnter = false;
};

class FilesSource : public DragSource {
 public:
  std::vector<std::string> RenderFiles() override {
    ++renders;
    if (fail) throw std::runtime_error("展開できません");
    return {"Z:\\tmp\\a b.txt", "Z:\\tmp\\説明"};
  }
  int renders = 0;
  bool fail = false;
};

TEST_F(UiListView, DragsRenderTheFilesOnceAndDropsAnswerWithEffects) {
  Host host;
  ListView& view = *host.View;
  host.Show();
  auto source = std::make_shared<FilesSource>();
  std::string first, second;
  ui::testing::PushDragScript([&](ui::testing::OfferedDrag& offered) {
    EXPECT_EQ(offered.Formats(), std::vector<std::string>{"text/uri-list"});
    first = offered.UriList();
    second = offered.UriList();  // a target that reads on enter and at the drop
    return DROPEFFECT_MOVE | DROPEFFECT_COPY;
  });
  EXPECT_EQ(DoDragDrop(view, source, DROPEFFECT_MOVE), DROPEFFECT_MOVE);
  EXPECT_EQ(source->renders, 1);
  EXPECT_EQ(first, "file:///tmp/a%20b.txt\r\nfile:///tmp/%E8%AA%AC%E6%98%8E\r\n");
  EXPECT_EQ(second, first);

  source->fail = true;
  ui::testing::PushDragScript([&](ui::testing::OfferedDrag& offered) {
    first = offered.UriList();
    return DROPEFFECT_NONE;
  });
  DoDragDrop(view, std::make_shared<FilesSource>(*source), DROPEFFECT_MOVE);
  EXPECT_EQ(first, "");
  ui::testing::PushMessageAnswer(mrOk);
  ui::testing::RunEventsFor(30);
  ASSERT_EQ(ui::testing::ShownBoxes().size(), 1u);
  EXPECT_EQ(ui::testing::ShownBoxes()[0].text, "展開できません.");

  RecordingTarget target;
  RegisterDragDrop(view, &target);
  const std::string file = "Z:\\tmp\\x.txt";
  EXPECT_EQ(ui::testing::DropFiles(view, 20, 20, {file}, MK_RBUTTON | MK_SHIFT), DROPEFFECT_COPY);
  EXPECT_EQ(target.calls, (std::vector<std::string>{"enter 6 7", "drop 4"}));
  EXPECT_EQ(target.files, std::vector<std::string>{file});
  target.calls.clear();
  target.answer = DROPEFFECT_LINK;  // not allowed by this source
  EXPECT_EQ(ui::testing::DropFiles(view, 20, 20, {file}, MK_LBUTTON, DROPEFFECT_COPY),
            DROPEFFECT_NONE);
  target.answer = DROPEFFECT_COPY;
  EXPECT_EQ(ui::testing::DragFilesOver(view, 20, 20, {file}), DROPEFFECT_COPY);
  EXPECT_EQ(target.calls.back(), "leave");
  target.throwOnEnter = true;
  EXPECT_EQ(ui::testing::DropFiles(view, 20, 20, {file}), DROPEFFECT_NONE);
  ui::testing::PushMessageAnswer(mrOk);
  ui::testing::RunEventsFor(30);
  EXPECT_EQ(ui::testing::ShownBoxes().back().text, "受け取れません.");
  RevokeDragDrop(view);
  target.throwOnEnter = false;
  target.calls.clear();
  EXPECT_EQ(ui::testing::DropFiles(view, 20, 20, {file}), DROPEFFECT_NONE);
  EXPECT_TRUE(target.calls.empty());
}

}  // namespace
