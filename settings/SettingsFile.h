// The settings file "tobrinedit.dat": every setting of one disc, its key,
// its type and its default, as one table of rows. The editor's savers and
// loaders and the runner's windows go through this table, so key names
// exist only here.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/profile/profile.h"

namespace settings {

inline constexpr const char* kSettingsFileName = "tobrinedit.dat";
inline constexpr int kMenuButtons = 17;
inline constexpr int kSetupItems = 14;
inline constexpr int kFontEntries = 34;  // 1-17 page 1, 18-34 page 2
inline constexpr int kMessageLines = 3;
inline constexpr int kRowCount = 64;

// Arrays are indexed from 1 as the keys count; element 0 is unused.
using MenuStrings = std::array<std::string, kMenuButtons + 1>;
using MenuInts = std::array<std::int32_t, kMenuButtons + 1>;
using MenuFlags = std::array<bool, kMenuButtons + 1>;
using SetupStrings = std::array<std::string, kSetupItems + 1>;
using SetupInts = std::array<std::int32_t, kSetupItems + 1>;
using SetupFlags = std::array<bool, kSetupItems + 1>;
using FontInts = std::array<std::int32_t, kFontEntries + 1>;
using FontStrings = std::array<std::string, kFontEntries + 1>;
// [b][l]: button or item b, line l (both from 1).
using MenuMessageLines = std::array<std::array<std::string, kMessageLines + 1>, kMenuButtons + 1>;
using SetupMessageLines = std::array<std::array<std::string, kMessageLines + 1>, kSetupItems + 1>;

struct ButtonRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  bool operator==(const ButtonRect&) const = default;
};

template <typename A>
A Filled(typename A::value_type value) {
  A array{};
  array.fill(value);
  return array;
}

// 64 + 32 x (k - 1) for buttons 1 to 8, 64 + 32 x (k - 9) for 9 to 17.
inline MenuInts DefaultButtonTops() {
  MenuInts tops{};
  for (int k = 1; k <= kMenuButtons; ++k) tops[k] = 64 + 32 * (k <= 8 ? k - 1 : k - 9);
  return tops;
}

// Every setting under its own name, in one plain struct per editor dialog
// that holds it; the dialog inherits its struct, so the setting keeps its
// name there. A default-constructed struct holds the value each reader
// takes for a missing key (before the font-size fix-up).

// The menu page editor: both pages, background, colours, fonts and the
// fixed-button flags.
struct MenuPageSettings {
  MenuStrings MenuCaptions1{}, MenuTargets1{}, MenuCaptions2{}, MenuTargets2{};
  std::string BackgroundName1, BackgroundName2;
  std::string BackgroundPath1, BackgroundPath2;
  std::int32_t BackgroundColor = 0;
  std::int32_t ButtonTextColor = 0;
  bool AllMessagesAsTips = false;
  std::int32_t ButtonHoverColor = 0;
  std::int32_t BackgroundFit = 0;
  bool MaximizeWindow = false;
  bool ShowSetupButton = false;
  bool ShowContentsButton = false;
  bool ShowPage2Button = false;
  FontInts ButtonFontSize{};
  FontStrings ButtonFontName{};
  FontInts ButtonFontColor{};
  FontInts ButtonFontStyle{};
  bool operator==(const MenuPageSettings&) const = default;
};

// The menu buttons' messages.
struct MenuMessageSettings {
  MenuMessageLines MessageLines1{}, MessageLines2{};
  MenuFlags MessageTip1{}, MessageTip2{};
  MenuInts MessageColor1{}, MessageColor2{};
  bool operator==(const MenuMessageSettings&) const = default;
};

struct OneLineSettings {
  std::array<std::string, 4> OneLineMessage{};  // [1..3]
  std::int32_t OneLineColor = 0;
  std::string WindowTitle;
  bool operator==(const OneLineSettings&) const = default;
};

struct OpeningSettings {
  bool OpeningEnabled = false;
  bool OpeningFitWindow = false;
  std::string OpeningImage, OpeningMusic;
  std::int32_t OpeningSeconds = 0;
  std::int32_t OpeningKind = 0;
  std::string OpeningMovie;
  bool operator==(const OpeningSettings&) const = default;
};

// The simple setup: destination, items, shortcuts and attribute flags.
struct SetupSettings {
  std::string CopyDestination;
  SetupStrings SetupNames1{}, SetupSources1{}, SetupNames2{}, SetupSources2{};
  SetupStrings DesktopLinks1{}, DesktopLinks2{}, StartMenuLinks1{}, StartMenuLinks2{};
  SetupFlags IsArchive1{}, IsArchive2{};
  SetupFlags ClearReadOnly1{}, ClearReadOnly2{};
  std::array<bool, 3> ClearReadOnlyAll{};  // [1] page 1, [2] page 2
  bool operator==(const SetupSettings&) const = default;
};

// The setup items' messages.
struct SetupMessageSettings {
  SetupMessageLines SetupMessageLines1{}, SetupMessageLines2{};
  SetupFlags SetupMessageTip1{}, SetupMessageTip2{};
  SetupInts SetupMessageColor1{}, SetupMessageColor2{};
  bool operator==(const SetupMessageSettings&) const = default;
};

struct TimerSettings {
  bool TimerEnabled = false;
  std::int32_t TimerSeconds = 0;
  std::int32_t TimerAction = 0;
  std::string TimerFile;
  bool operator==(const TimerSettings&) const = default;
};

// Where the buttons lie and the window's size.
struct LayoutSettings {
  MenuInts ButtonLeft = Filled<MenuInts>(8);
  MenuInts ButtonTop = DefaultButtonTops();
  MenuInts ButtonHeight = Filled<MenuInts>(25);
  MenuInts ButtonWidth = Filled<MenuInts>(233);
  std::int32_t WindowHeight = 441;
  std::int32_t WindowWidth = 532;
  ButtonRect SetupButtonRect{25, 328, 89, 25};
  ButtonRect BrowseButtonRect{136, 328, 105, 25};
  ButtonRect Page2ButtonRect{40, 368, 75, 25};
  ButtonRect ExtraButtonRect{160, 368, 75, 25};
  bool operator==(const LayoutSettings&) const = default;
};

// Every setting of one disc.
struct SettingsModel : MenuPageSettings,
                       MenuMessageSettings,
                       OneLineSettings,
                       OpeningSettings,
                       SetupSettings,
                       SetupMessageSettings,
                       TimerSettings,
                       LayoutSettings {
  bool operator==(const SettingsModel&) const = default;
};

enum class ValueType { String, Integer, Boolean };
enum class Reader { Editor, Runner };

// How a row's keys are made.
enum class KeyFamily {
  Fixed,         // the names in `fixedKeys`
  Numbered,      // prefix + number, from `firstNumber` on
  MessageLines,  // "1-1", "1-2", "1-3", "2-1", ...
};

using FieldRef = std::variant<std::string*, std::int32_t*, bool*>;

struct Row {
  int number;
  std::string_view section;
  KeyFamily family;
  std::string_view prefix;  // Numbered
  int firstNumber;          // Numbered
  int count;                // keys in the row
  std::array<std::string_view, 4> fixedKeys;
  ValueType type;
  std::string_view setting;
  // The field behind the row's element-th key (0-based, in writing order).
  FieldRef (*field)(SettingsModel& model, int element);
  bool editorKeepsPresentValue;  // the editor's default is what the field holds
  bool runnerReads;
  // A font size read as 0 becomes this (0: no fix-up).
  std::int32_t editorZeroAs;
  std::int32_t runnerZeroAs;
};

// The 64 rows in writing order.
std::span<const Row> Rows();
const Row& RowNumber(int number);
std::string KeyOf(const Row& row, int element);

// One key of the file: its row and which element of the row.
struct KeySlot {
  const Row* row;
  int element;
  std::string key;
};

// The keys of rows firstRow..lastRow in the order the editor writes them;
// rows 61-64 (font entries) are interleaved per entry.
std::vector<KeySlot> WriteOrder(int firstRow = 1, int lastRow = kRowCount);

// One replacement of the file (or part of the caller's update); throws
// platform::IniWriteError at the first refused key.
void WriteRows(platform::IniFile& ini, const SettingsModel& model, int firstRow = 1,
               int lastRow = kRowCount);
void ReadRows(const platform::IniFile& ini, SettingsModel& model, Reader reader, int firstRow = 1,
              int lastRow = kRowCount);
// Every row of one section (for a window that reads only its own).
void ReadSection(const platform::IniFile& ini, SettingsModel& model, Reader reader,
                 std::string_view section);

}  // namespace settings
