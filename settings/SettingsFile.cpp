#include "settings/SettingsFile.h"

#include <algorithm>
#include <stdexcept>

namespace settings {

namespace {

using S = SettingsModel;
using VT = ValueType;

// Accessors from a row element (0-based, in writing order) to its field.
template <auto Member>
FieldRef Single(S& m, int) {
  return &(m.*Member);
}
template <auto Member>
FieldRef Element(S& m, int e) {
  return &(m.*Member)[e + 1];
}
template <auto Member>
FieldRef Line(S& m, int e) {
  return &(m.*Member)[e / kMessageLines + 1][e % kMessageLines + 1];
}
template <auto... Members>
FieldRef OneOf(S& m, int e) {
  FieldRef refs[] = {&(m.*Members)...};
  return refs[e];
}
template <auto Member>
FieldRef RectPart(S& m, int e) {
  ButtonRect& r = m.*Member;
  std::int32_t* parts[] = {&r.Left, &r.Top, &r.Width, &r.Height};
  return parts[e];
}
// "0"-"13" page 1, "14"-"27" page 2, "28"/"29" the check-all boxes.
FieldRef ClearReadOnlyFlag(S& m, int e) {
  if (e < kSetupItems) return &m.ClearReadOnly1[e + 1];
  if (e < 2 * kSetupItems) return &m.ClearReadOnly2[e - kSetupItems + 1];
  return &m.ClearReadOnlyAll[e - 2 * kSetupItems + 1];
}

using Accessor = FieldRef (*)(S&, int);

Row Numbered(int number, std::string_view section, std::string_view prefix, int count, VT type,
             std::string_view setting, Accessor field) {
  return Row{
      number, section, KeyFamily::Numbered, prefix, 1, count, {}, type, setting, field, false, true,
      0,      0};
}

Row Fixed(int number, std::string_view section, std::array<std::string_view, 4> keys, VT type,
          std::string_view setting, Accessor field) {
  int count = static_cast<int>(
      std::count_if(keys.begin(), keys.end(), [](std::string_view k) { return !k.empty(); }));
  return Row{number, section, KeyFamily::Fixed, {},    0,     count,
             keys,   type,    setting,          field, false, true,
             0,      0};
}

Row Lines(int number, std::string_view section, int items, std::string_view setting,
          Accessor field) {
  return Row{number, section,    KeyFamily::MessageLines,
             {},     1,          items * kMessageLines,
             {},     VT::String, setting,
             field,  false,      true,
             0,      0};
}

Row NotReadByRunner(Row row) {
  row.runnerReads = false;
  return row;
}
Row EditorKeepsPresentValue(Row row) {
  row.editorKeepsPresentValue = true;
  return row;
}
Row ZeroBecomes(Row row, std::int32_t editor, std::int32_t runner) {
  row.editorZeroAs = editor;
  row.runnerZeroAs = runner;
  return row;
}
Row FromZero(Row row) {
  row.firstNumber = 0;
  return row;
}

constexpr int kMenu = kMenuButtons;
constexpr int kSetup = kSetupItems;
constexpr int kFirstFontRow = 61;
constexpr int kLastFontRow = 64;

const std::array<Row, kRowCount>& Table() {
  static const std::array<Row, kRowCount> table = {
      Numbered(1, "name1", "", kMenu, VT::String, "MenuCaptions1", Element<&S::MenuCaptions1>),
      Numbered(2, "path1", "", kMenu, VT::String, "MenuTargets1", Element<&S::MenuTargets1>),
      Numbered(3, "name2", "", kMenu, VT::String, "MenuCaptions2", Element<&S::MenuCaptions2>),
      Numbered(4, "path2", "", kMenu, VT::String, "MenuTargets2", Element<&S::MenuTargets2>),
      Fixed(5, "bg", {"file", "file2"}, VT::String, "BackgroundName1, BackgroundName2",
            OneOf<&S::BackgroundName1, &S::BackgroundName2>),
      NotReadByRunner(Fixed(6, "bg", {"temp", "temp2"}, VT::String,
                            "BackgroundPath1, BackgroundPath2",
                            OneOf<&S::BackgroundPath1, &S::BackgroundPath2>)),
      Fixed(7, "bg", {"color"}, VT::Integer, "BackgroundColor", Single<&S::BackgroundColor>),
      Fixed(8, "back", {"color"}, VT::Integer, "ButtonTextColor", Single<&S::ButtonTextColor>),
      Fixed(9, "tip", {"enable"}, VT::Boolean, "AllMessagesAsTips", Single<&S::AllMessagesAsTips>),
      Fixed(10, "button", {"color"}, VT::Integer, "ButtonHoverColor", Single<&S::ButtonHoverColor>),
      EditorKeepsPresentValue(
          Fixed(11, "haikei", {"strech"}, VT::Integer, "BackgroundFit", Single<&S::BackgroundFit>)),
      Fixed(12, "window", {"max"}, VT::Boolean, "MaximizeWindow", Single<&S::MaximizeWindow>),
      Lines(13, "mes1", kMenu, "MessageLines1", Line<&S::MessageLines1>),
      Numbered(14, "mes1", "ch", kMenu, VT::Boolean, "MessageTip1", Element<&S::MessageTip1>),
      Numbered(15, "mes2", "sh", kMenu, VT::Boolean, "MessageTip2", Element<&S::MessageTip2>),
      Numbered(16, "mes1", "cm", kMenu, VT::Integer, "MessageColor1", Element<&S::MessageColor1>),
      Numbered(17, "mes2", "sc", kMenu, VT::Integer, "MessageColor2", Element<&S::MessageColor2>),
      Lines(18, "mes2", kMenu, "MessageLines2", Line<&S::MessageLines2>),
      Numbered(19, "hitokoto", "hit", 3, VT::String, "OneLineMessage", Element<&S::OneLineMessage>),
      Fixed(20, "hitokoto", {"iro"}, VT::Integer, "OneLineColor", Single<&S::OneLineColor>),
      Fixed(21, "hitokoto", {"windowtitle"}, VT::String, "WindowTitle", Single<&S::WindowTitle>),
      Fixed(22, "opening", {"enabled"}, VT::Boolean, "OpeningEnabled", Single<&S::OpeningEnabled>),
      Fixed(23, "opening", {"resize"}, VT::Boolean, "OpeningFitWindow",
            Single<&S::OpeningFitWindow>),
      Fixed(24, "opening", {"file"}, VT::String, "OpeningImage", Single<&S::OpeningImage>),
      Fixed(25, "opening", {"music"}, VT::String, "OpeningMusic", Single<&S::OpeningMusic>),
      Fixed(26, "opening", {"time"}, VT::Integer, "OpeningSeconds", Single<&S::OpeningSeconds>),
      Fixed(27, "opening", {"syurui"}, VT::Integer, "OpeningKind", Single<&S::OpeningKind>),
      Fixed(28, "opening", {"movie"}, VT::String, "OpeningMovie", Single<&S::OpeningMovie>),
      Fixed(29, "set", {"syoki"}, VT::String, "CopyDestination", Single<&S::CopyDestination>),
      Numbered(30, "set1", "fk", kSetup, VT::String, "SetupNames1", Element<&S::SetupNames1>),
      Numbered(31, "set1", "ff", kSetup, VT::String, "SetupSources1", Element<&S::SetupSources1>),
      Numbered(32, "set2", "sk", kSetup, VT::String, "SetupNames2", Element<&S::SetupNames2>),
      Numbered(33, "set2", "sf", kSetup, VT::String, "SetupSources2", Element<&S::SetupSources2>),
      Numbered(34, "desk", "fds", kSetup, VT::String, "DesktopLinks1", Element<&S::DesktopLinks1>),
      Numbered(35, "desk", "sds", kSetup, VT::String, "DesktopLinks2", Element<&S::DesktopLinks2>),
      Numbered(36, "start", "ftm", kSetup, VT::String, "StartMenuLinks1",
               Element<&S::StartMenuLinks1>),
      Numbered(37, "start", "stm", kSetup, VT::String, "StartMenuLinks2",
               Element<&S::StartMenuLinks2>),
      Numbered(38, "set1", "af", kSetup, VT::Boolean, "IsArchive1", Element<&S::IsArchive1>),
      Numbered(39, "set2", "as", kSetup, VT::Boolean, "IsArchive2", Element<&S::IsArchive2>),
      FromZero(Numbered(40, "yomi", "", 2 * kSetup + 2, VT::Boolean,
                        "ClearReadOnly1, ClearReadOnly2, ClearReadOnlyAll", ClearReadOnlyFlag)),
      Fixed(41, "button", {"kani", "nakami", "2page"}, VT::Boolean,
            "ShowSetupButton, ShowContentsButton, ShowPage2Button",
            OneOf<&S::ShowSetupButton, &S::ShowContentsButton, &S::ShowPage2Button>),
      Lines(42, "kmes1", kSetup, "SetupMessageLines1", Line<&S::SetupMessageLines1>),
      Lines(43, "kmes2", kSetup, "SetupMessageLines2", Line<&S::SetupMessageLines2>),
      Numbered(44, "kmes1", "kc", kSetup, VT::Boolean, "SetupMessageTip1",
               Element<&S::SetupMessageTip1>),
      Numbered(45, "kmes2", "sk", kSetup, VT::Boolean, "SetupMessageTip2",
               Element<&S::SetupMessageTip2>),
      Numbered(46, "kmes1", "ki", kSetup, VT::Integer, "SetupMessageColor1",
               Element<&S::SetupMessageColor1>),
      Numbered(47, "kmes2", "si", kSetup, VT::Integer, "SetupMessageColor2",
               Element<&S::SetupMessageColor2>),
      Fixed(48, "timer", {"enabled"}, VT::Boolean, "TimerEnabled", Single<&S::TimerEnabled>),
      Fixed(49, "timer", {"time"}, VT::Integer, "TimerSeconds", Single<&S::TimerSeconds>),
      Fixed(50, "timer", {"dousa"}, VT::Integer, "TimerAction", Single<&S::TimerAction>),
      Fixed(51, "timer", {"file"}, VT::String, "TimerFile", Single<&S::TimerFile>),
      Numbered(52, "set", "bl", kMenu, VT::Integer, "ButtonLeft", Element<&S::ButtonLeft>),
      Numbered(53, "set", "bt", kMenu, VT::Integer, "ButtonTop", Element<&S::ButtonTop>),
      Numbered(54, "set", "bh", kMenu, VT::Integer, "ButtonHeight", Element<&S::ButtonHeight>),
      Numbered(55, "set", "bw", kMenu, VT::Integer, "ButtonWidth", Element<&S::ButtonWidth>),
      Fixed(56, "set", {"wh", "ww"}, VT::Integer, "WindowHeight, WindowWidth",
            OneOf<&S::WindowHeight, &S::WindowWidth>),
      Fixed(57, "set", {"bsl", "bst", "bsw", "bsh"}, VT::Integer, "SetupButtonRect",
            RectPart<&S::SetupButtonRect>),
      Fixed(58, "set", {"bcl", "bct", "bcw", "bch"}, VT::Integer, "BrowseButtonRect",
            RectPart<&S::BrowseButtonRect>),
      Fixed(59, "set", {"b2l", "b2t", "b2w", "b2h"}, VT::Integer, "Page2ButtonRect",
            RectPart<&S::Page2ButtonRect>),
      Fixed(60, "set", {"bel", "bet", "bew", "beh"}, VT::Integer, "ExtraButtonRect",
            RectPart<&S::ExtraButtonRect>),
      // The editor keeps a 0 (its font dialog shows 9 for it), so that a
      // load and a save never change a size the author did not set.
      ZeroBecomes(Numbered(61, "size", "", kFontEntries, VT::Integer, "ButtonFontSize",
                           Element<&S::ButtonFontSize>),
                  0, 14),
      Numbered(62, "fontname", "", kFontEntries, VT::String, "ButtonFontName",
               Element<&S::ButtonFontName>),
      Numbered(63, "color", "", kFontEntries, VT::Integer, "ButtonFontColor",
               Element<&S::ButtonFontColor>),
      Numbered(64, "style", "", kFontEntries, VT::Integer, "ButtonFontStyle",
               Element<&S::ButtonFontStyle>),
  };
  return table;
}

const SettingsModel& Defaults() {
  static const SettingsModel defaults;
  return defaults;
}

// Read-only view of a field of a model that is not to be changed.
FieldRef ConstField(const Row& row, const SettingsModel& model, int element) {
  return row.field(const_cast<SettingsModel&>(model), element);
}

void CheckRange(int firstRow, int lastRow) {
  if (firstRow < 1 || lastRow > kRowCount || firstRow > lastRow) {
    throw std::out_of_range("settings rows " + std::to_string(firstRow) + "-" +
                            std::to_string(lastRow));
  }
}

void WriteSlot(platform::IniFile& ini, const KeySlot& slot, const SettingsModel& model) {
  const Row& row = *slot.row;
  FieldRef field = ConstField(row, model, slot.element);
  switch (row.type) {
    case ValueType::String:
      ini.WriteString(row.section, slot.key, *std::get<std::string*>(field));
      break;
    case ValueType::Integer:
      ini.WriteInteger(row.section, slot.key, *std::get<std::int32_t*>(field));
      break;
    case ValueType::Boolean:
      ini.WriteBool(row.section, slot.key, *std::get<bool*>(field));
      break;
  }
}

void ReadElement(const platform::IniFile& ini, const Row& row, int element, SettingsModel& model,
                 Reader reader) {
  if (reader == Reader::Runner && !row.runnerReads) return;
  std::string key = KeyOf(row, element);
  FieldRef field = row.field(model, element);
  bool keepPresent = reader == Reader::Editor && row.editorKeepsPresentValue;
  FieldRef fallback = keepPresent ? field : ConstField(row, Defaults(), element);
  switch (row.type) {
    case ValueType::String:
      *std::get<std::string*>(field) =
          ini.ReadString(row.section, key, *std::get<std::string*>(fallback));
      break;
    case ValueType::Integer: {
      std::int32_t value = ini.ReadInteger(row.section, key, *std::get<std::int32_t*>(fallback));
      std::int32_t zeroAs = reader == Reader::Editor ? row.editorZeroAs : row.runnerZeroAs;
      *std::get<std::int32_t*>(field) = (value == 0 && zeroAs != 0) ? zeroAs : value;
      break;
    }
    case ValueType::Boolean:
      *std::get<bool*>(field) = ini.ReadBool(row.section, key, *std::get<bool*>(fallback));
      break;
  }
}

void ReadRow(const platform::IniFile& ini, const Row& row, SettingsModel& model, Reader reader) {
  for (int element = 0; element < row.count; ++element) {
    ReadElement(ini, row, element, model, reader);
  }
}

}  // namespace

std::span<const Row> Rows() { return Table(); }

const Row& RowNumber(int number) {
  CheckRange(number, number);
  return Table()[number - 1];
}

std::string KeyOf(const Row& row, int element) {
  switch (row.family) {
    case KeyFamily::Fixed:
      return std::string(row.fixedKeys[element]);
    case KeyFamily::Numbered:
      return std::string(row.prefix) + std::to_string(row.firstNumber + element);
    case KeyFamily::MessageLines:
      return std::to_string(element / kMessageLines + 1) + "-" +
             std::to_string(element % kMessageLines + 1);
  }
  return std::string();
}

std::vector<KeySlot> WriteOrder(int firstRow, int lastRow) {
  CheckRange(firstRow, lastRow);
  std::vector<KeySlot> order;
  auto add = [&](const Row& row, int element) {
    order.push_back(KeySlot{&row, element, KeyOf(row, element)});
  };
  for (int number = firstRow; number <= lastRow; ++number) {
    const Row& row = RowNumber(number);
    if (number < kFirstFontRow || number > kLastFontRow) {
      for (int element = 0; element < row.count; ++element) add(row, element);
      continue;
    }
    // Font entries: size, name, colour and style of entry 1, then of entry 2...
    int groupEnd = std::min(lastRow, kLastFontRow);
    for (int element = 0; element < kFontEntries; ++element) {
      for (int font = number; font <= groupEnd; ++font) add(RowNumber(font), element);
    }
    number = groupEnd;
  }
  return order;
}

void WriteRows(platform::IniFile& ini, const SettingsModel& model, int firstRow, int lastRow) {
  platform::IniUpdate update(ini);
  for (const KeySlot& slot : WriteOrder(firstRow, lastRow)) WriteSlot(ini, slot, model);
  update.Commit();
}

void ReadRows(const platform::IniFile& ini, SettingsModel& model, Reader reader, int firstRow,
              int lastRow) {
  CheckRange(firstRow, lastRow);
  const platform::IniReading session(ini);
  for (int number = firstRow; number <= lastRow; ++number) {
    ReadRow(ini, RowNumber(number), model, reader);
  }
}

void ReadSection(const platform::IniFile& ini, SettingsModel& model, Reader reader,
                 std::string_view section) {
  const platform::IniReading session(ini);
  for (const Row& row : Rows()) {
    if (row.section == section) ReadRow(ini, row, model, reader);
  }
}

}  // namespace settings
