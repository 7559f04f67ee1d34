#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>
#include <set>
#include <sstream>

#include "settings/SettingsFile.h"
#include "tests/platform/temp_drives.h"

using namespace settings;
using platform::IniFile;
using tobrin_test::TempDrives;

namespace {

// A model in which every one of the 800 settings holds its own value.
SettingsModel DistinctModel() {
  SettingsModel model;
  int n = 0;
  for (const KeySlot& slot : WriteOrder()) {
    ++n;
    FieldRef field = slot.row->field(model, slot.element);
    if (auto* s = std::get_if<std::string*>(&field)) {
      **s = "値" + std::string(slot.row->section) + "/" + slot.key + " ｱ表ソ";
    } else if (auto* i = std::get_if<std::int32_t*>(&field)) {
      **i = n * 7 - 1000;
    } else {
      *std::get<bool*>(field) = n % 3 == 0;
    }
  }
  return model;
}

struct ParsedFile {
  std::vector<std::string> sections;                     // in file order
  std::map<std::string, std::vector<std::string>> keys;  // per section, in order
  int keyLines = 0;
};

ParsedFile ParseLines(const std::string& bytes) {
  ParsedFile parsed;
  std::istringstream in(bytes);
  std::string line, section;
  while (std::getline(in, line)) {
    EXPECT_FALSE(line.empty() || line.back() != '\r') << "line without CR LF: " << line;
    line.pop_back();
    if (line.front() == '[') {
      section = line.substr(1, line.size() - 2);
      parsed.sections.push_back(section);
    } else {
      parsed.keys[section].push_back(line.substr(0, line.find('=')));
      ++parsed.keyLines;
    }
  }
  return parsed;
}

std::vector<std::string> Numbered(const std::string& prefix, int first, int last) {
  std::vector<std::string> keys;
  for (int i = first; i <= last; ++i) keys.push_back(prefix + std::to_string(i));
  return keys;
}

std::vector<std::string> MessageKeys(int items) {
  std::vector<std::string> keys;
  for (int b = 1; b <= items; ++b) {
    for (int l = 1; l <= 3; ++l) keys.push_back(std::to_string(b) + "-" + std::to_string(l));
  }
  return keys;
}

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

class SettingsFile : public ::testing::Test {
 protected:
  TempDrives drives;
  std::string Path() const { return drives.Disc() + "/tobrinedit.dat"; }
  static constexpr const char* kWindowsPath = "D:\\tobrinedit.dat";
};

}  // namespace

TEST(SettingsTable, EightHundredKeysEachBoundToItsOwnField) {
  ASSERT_EQ(Rows().size(), 64u);
  SettingsModel model;
  std::set<const void*> fields;
  std::set<std::string> names;
  int number = 0;
  for (const Row& row : Rows()) {
    EXPECT_EQ(row.number, ++number);
    for (int e = 0; e < row.count; ++e) {
      FieldRef field = row.field(model, e);
      EXPECT_EQ(field.index(), static_cast<std::size_t>(row.type)) << row.setting;
      fields.insert(std::visit([](auto* p) { return static_cast<const void*>(p); }, field));
      EXPECT_TRUE(names.insert(std::string(row.section) + "/" + KeyOf(row, e)).second)
          << "key twice: " << row.section << "/" << KeyOf(row, e);
    }
  }
  EXPECT_EQ(fields.size(), 800u);
  EXPECT_EQ(WriteOrder().size(), 800u);
}

TEST(SettingsTable, WriteOrderWithinRows) {
  std::vector<KeySlot> order = WriteOrder();
  auto at = [&](std::size_t i) { return std::string(order[i].row->section) + "/" + order[i].key; };
  EXPECT_EQ(at(0), "name1/1");
  EXPECT_EQ(at(68), "bg/file");
  EXPECT_EQ(at(69), "bg/file2");
  EXPECT_EQ(at(70), "bg/temp");
  std::vector<KeySlot> fonts = WriteOrder(61, 64);
  ASSERT_EQ(fonts.size(), 136u);
  std::vector<std::string> firstEight;
  for (int i = 0; i < 8; ++i) {
    firstEight.push_back(std::string(fonts[i].row->section) + "/" + fonts[i].key);
  }
  EXPECT_EQ(firstEight, (std::vector<std::string>{"size/1", "fontname/1", "color/1", "style/1",
                                                  "size/2", "fontname/2", "color/2", "style/2"}));
  EXPECT_EQ(WriteOrder(62, 63).size(), 68u);
  EXPECT_EQ(WriteOrder(62, 63)[1].row->section, "color");
  std::vector<KeySlot> yomi = WriteOrder(40, 40);
  EXPECT_EQ(yomi.front().key, "0");
  EXPECT_EQ(yomi.back().key, "29");
  EXPECT_THROW(WriteOrder(0, 64), std::out_of_range);
}

TEST_F(SettingsFile, FirstSaveWritesEverySectionAndKeyInOrder) {
  IniFile ini(kWindowsPath);
  WriteRows(ini, SettingsModel{});
  ParsedFile file = ParseLines(TempDrives::ReadFile(Path()));
  EXPECT_EQ(file.keyLines, 800);
  EXPECT_EQ(file.sections,
            (std::vector<std::string>{"name1",    "path1",   "name2",  "path2",  "bg",    "back",
                                      "tip",      "button",  "haikei", "window", "mes1",  "mes2",
                                      "hitokoto", "opening", "set",    "set1",   "set2",  "desk",
                                      "start",    "yomi",    "kmes1",  "kmes2",  "timer", "size",
                                      "fontname", "color",   "style"}));
  EXPECT_EQ(file.keys["mes1"],
            Concat({MessageKeys(17), Numbered("ch", 1, 17), Numbered("cm", 1, 17)}));
  EXPECT_EQ(file.keys["mes2"],
            Concat({Numbered("sh", 1, 17), Numbered("sc", 1, 17), MessageKeys(17)}));
  EXPECT_EQ(file.keys["button"], (std::vector<std::string>{"color", "kani", "nakami", "2page"}));
  EXPECT_EQ(file.keys["bg"], (std::vector<std::string>{"file", "file2", "temp", "temp2", "color"}));
  EXPECT_EQ(file.keys["set"], Concat({{"syoki"},
                                      Numbered("bl", 1, 17),
                                      Numbered("bt", 1, 17),
                                      Numbered("bh", 1, 17),
                                      Numbered("bw", 1, 17),
                                      {"wh", "ww"},
                                      {"bsl", "bst", "bsw", "bsh", "bcl", "bct", "bcw", "bch"},
                                      {"b2l", "b2t", "b2w", "b2h", "bel", "bet", "bew", "beh"}}));
  EXPECT_EQ(file.keys["yomi"], Numbered("", 0, 29));
  EXPECT_EQ(file.keys["kmes1"],
            Concat({MessageKeys(14), Numbered("kc", 1, 14), Numbered("ki", 1, 14)}));
  EXPECT_EQ(file.keys["style"], Numbered("", 1, 34));
  // An untouched page 2 is written all the same, empty and zero.
  IniFile back(kWindowsPath);
  EXPECT_EQ(back.ReadString("name2", "17", "missing"), "");
  EXPECT_EQ(back.ReadString("set", "bt9", ""), "64");
  EXPECT_EQ(back.ReadString("size", "34", "missing"), "0");
}

TEST_F(SettingsFile, SaveInTwoStepsMatchesOneStepAndKeepsForeignSections) {
  SettingsModel model = DistinctModel();
  {
    IniFile ini(kWindowsPath);
    WriteRows(ini, model);
  }
  std::string oneStep = TempDrives::ReadFile(Path());

  const std::string foreign = "[other]\r\n; note\r\nx = \x95\x5C\r\n\r\n";
  TempDrives::WriteFile(Path(), foreign);
  IniFile ini(kWindowsPath);
  WriteRows(ini, model, 1, 29);
  WriteRows(ini, model, 30, 64);
  EXPECT_EQ(TempDrives::ReadFile(Path()), foreign + oneStep);
  // A second save over the first changes nothing.
  WriteRows(ini, model);
  EXPECT_EQ(TempDrives::ReadFile(Path()), foreign + oneStep);
}

TEST_F(SettingsFile, EditorReadsBackWhatItWrote) {
  SettingsModel saved = DistinctModel();
  saved.ButtonFontSize[5] = 0;
  saved.ButtonFontSize[6] = -3;
  {
    IniFile ini(kWindowsPath);
    WriteRows(ini, saved);
  }
  SettingsModel loaded;
  ReadRows(IniFile(kWindowsPath), loaded, Reader::Editor);
  // A stored 0 stays 0 for the editor, so that saving again keeps it.
  const SettingsModel& expected = saved;
  EXPECT_EQ(loaded.ButtonFontSize[5], 0);
  EXPECT_EQ(loaded.ButtonFontSize[6], -3);
  EXPECT_EQ(loaded.MessageLines2[17][3], saved.MessageLines2[17][3]);
  EXPECT_EQ(loaded.ClearReadOnlyAll[2], saved.ClearReadOnlyAll[2]);
  EXPECT_TRUE(loaded == expected);

  // The runner leaves the editor-only picture paths alone.
  SettingsModel runner;
  ReadRows(IniFile(kWindowsPath), runner, Reader::Runner);
  EXPECT_EQ(runner.BackgroundPath1, "");
  EXPECT_EQ(runner.BackgroundName2, saved.BackgroundName2);
  EXPECT_EQ(runner.ButtonFontSize[5], 14);
}

TEST_F(SettingsFile, MissingFileGivesDefaultsAndFontSizeFixUps) {
  SettingsModel editor;
  editor.BackgroundFit = 2;
  editor.MenuCaptions1[1] = "old";
  ReadRows(IniFile(kWindowsPath), editor, Reader::Editor);
  EXPECT_EQ(editor.BackgroundFit, 2);
  EXPECT_EQ(editor.MenuCaptions1[1], "");
  EXPECT_EQ(editor.ButtonWidth[3], 233);
  EXPECT_EQ(editor.ButtonTop[8], 288);
  EXPECT_EQ(editor.ButtonTop[17], 320);
  EXPECT_EQ(editor.ExtraButtonRect, (ButtonRect{160, 368, 75, 25}));
  EXPECT_EQ(editor.ButtonFontSize[1], 0);
  EXPECT_EQ(editor.ButtonFontSize[34], 0);

  SettingsModel runner;
  runner.BackgroundFit = 2;
  ReadRows(IniFile(kWindowsPath), runner, Reader::Runner);
  EXPECT_EQ(runner.BackgroundFit, 0);
  EXPECT_EQ(runner.ButtonFontSize[34], 14);
  SettingsModel rest = runner;
  rest.ButtonFontSize = SettingsModel{}.ButtonFontSize;
  EXPECT_TRUE(rest == SettingsModel{});
  EXPECT_FALSE(std::filesystem::exists(Path()));
}

TEST_F(SettingsFile, ValueFormsOfTheStoredFile) {
  TempDrives::WriteFile(Path(),
                        "[set]\r\nbw1=0x20\r\nbw2=$20\r\nbw3=abc\r\nbw4=\r\n"
                        "[tip]\r\nenable=2\r\n[window]\r\nmax=yes\r\n"
                        "[NAME1]\r\n1=Caption\r\n[bg]\r\nFILE=pic.bmp\r\n"
                        "[size]\r\n1=0\r\n2=-3\r\n3=\r\n");
  SettingsModel editor;
  ReadRows(IniFile(kWindowsPath), editor, Reader::Editor);
  EXPECT_EQ(editor.ButtonWidth[1], 32);
  EXPECT_EQ(editor.ButtonWidth[2], 32);
  EXPECT_EQ(editor.ButtonWidth[3], 233);
  EXPECT_EQ(editor.ButtonWidth[4], 233);
  EXPECT_EQ(editor.ButtonWidth[5], 233);
  EXPECT_TRUE(editor.AllMessagesAsTips);
  EXPECT_FALSE(editor.MaximizeWindow);
  EXPECT_EQ(editor.MenuCaptions1[1], "Caption");
  EXPECT_EQ(editor.BackgroundName1, "pic.bmp");
  EXPECT_EQ(editor.ButtonFontSize[1], 0);
  EXPECT_EQ(editor.ButtonFontSize[2], -3);
  EXPECT_EQ(editor.ButtonFontSize[3], 0);

  SettingsModel runner;
  ReadSection(IniFile(kWindowsPath), runner, Reader::Runner, "size");
  EXPECT_EQ(runner.ButtonFontSize[1], 14);
  EXPECT_EQ(runner.ButtonFontSize[2], -3);
  EXPECT_EQ(runner.ButtonWidth[1], 233);  // another section: not read
}

TEST_F(SettingsFile, LongCaptionReadsBackCut) {
  SettingsModel model;
  model.MenuCaptions1[1] = std::string(3000, 'c');
  for (int i = 0; i < 1500; ++i) model.MenuCaptions2[1] += "漢";
  IniFile ini(kWindowsPath);
  WriteRows(ini, model, 1, 4);
  SettingsModel loaded;
  ReadRows(ini, loaded, Reader::Runner, 1, 4);
  EXPECT_EQ(loaded.MenuCaptions1[1], std::string(2047, 'c'));
  EXPECT_EQ(loaded.MenuCaptions2[1].size(), 1023u * 3);  // 1023 characters of 2 bytes each
}

TEST_F(SettingsFile, RefusedSaveStopsAtTheFirstKey) {
  TempDrives::WriteFile(Path(), "[keep]\r\na=1\r\n");
  chmod(Path().c_str(), 0444);
  IniFile ini(kWindowsPath);
  try {
    WriteRows(ini, DistinctModel());
    FAIL() << "save into a read-only file succeeded";
  } catch (const platform::IniWriteError& e) {
    EXPECT_STREQ(e.what(), "D:\\tobrinedit.dat に書き込めません");
  }
  EXPECT_EQ(TempDrives::ReadFile(Path()), "[keep]\r\na=1\r\n");
}
