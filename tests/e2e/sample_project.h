// The project that the end-to-end test enters in the editor, and what the
// runner must read back from the disc. Both halves include this header;
// neither program's code is linked into the other's half.
#pragma once

#include <string>

#include "settings/SettingsFile.h"

namespace tobrin_e2e {

// The menu window's part of the project as the author enters it, with
// drive letters on the targets as a browse dialog gives them.
inline settings::SettingsModel SampleProject() {
  settings::SettingsModel m;
  for (int k = 1; k <= settings::kMenuButtons; ++k) {
    const std::string n = std::to_string(k);
    m.MenuCaptions1[k] = k == 17 ? "" : "ボタン" + n;  // an empty caption hides the button
    m.MenuCaptions2[k] = "２ページ目" + n;
    m.MenuTargets1[k] = "D:\\menu\\tool" + n + ".exe";
    m.MenuTargets2[k] = k == 1 ? "#aend\\D:\\setup.exe" : "docs\\page" + n + ".html";
    m.ButtonLeft[k] = k <= 8 ? 12 : 290;
    m.ButtonTop[k] = 70 + 30 * ((k - 1) % 9);
    m.ButtonWidth[k] = 200 + k;
    m.ButtonHeight[k] = 24 + k % 3;
  }
  for (int e = 1; e <= settings::kFontEntries; ++e) {
    m.ButtonFontSize[e] = e == 2 ? 0 : 8 + e % 10;  // 0: the runner's 14 points
    m.ButtonFontName[e] = e % 2 == 0 ? "ＭＳ 明朝" : "ＭＳ Ｐゴシック";
    m.ButtonFontColor[e] = 0x000080 * (e % 3);
    m.ButtonFontStyle[e] = e % 16;
  }
  m.SetupButtonRect = {.Left = 20, .Top = 360, .Width = 95, .Height = 27};
  m.BrowseButtonRect = {.Left = 140, .Top = 360, .Width = 110, .Height = 27};
  m.Page2ButtonRect = {.Left = 270, .Top = 360, .Width = 80, .Height = 27};
  m.WindowWidth = 600;
  m.WindowHeight = 450;
  m.WindowTitle = "サンプルディスク";
  m.OneLineMessage[1] = "ようこそ";
  m.ShowSetupButton = true;
  m.ShowContentsButton = false;
  m.ShowPage2Button = true;
  m.BackgroundFit = 2;
  return m;
}

// What the runner's menu window holds after reading the saved disc.
inline settings::SettingsModel SampleProjectOnDisc() {
  settings::SettingsModel m = SampleProject();
  for (int k = 1; k <= settings::kMenuButtons; ++k) {
    m.MenuTargets1[k] = "menu\\tool" + std::to_string(k) + ".exe";
  }
  // The disc's folder is D:\, so the argument is stored relative to it.
  m.MenuTargets2[1] = "#aend\\setup.exe";
  m.ButtonFontSize[2] = 14;
  return m;
}

}  // namespace tobrin_e2e
