// The runner half of the end-to-end test: the editor program saves the
// sample project onto a disc folder, then the runner's menu window is
// built from that folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "sample_project.h"
#include "tests/runner/RunnerForms.h"

namespace tobrin_e2e {
namespace {

class RunnerPlaysSavedProject : public tobrinplay::testing::RunnerForms {
 protected:
  void SaveSampleWithEditor() {
    const std::string command =
        std::string(TOBRIN_BIN_DIR) + "/e2e_editor_saves_sample '" + Posix("") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
};

void ExpectFont(const ui::TFont& font, const settings::SettingsModel& disc, int e) {
  EXPECT_EQ(font.Size(), disc.ButtonFontSize[e]) << "entry " << e;
  EXPECT_EQ(font.Name(), disc.ButtonFontName[e]) << "entry " << e;
  EXPECT_EQ(font.Color(), disc.ButtonFontColor[e]) << "entry " << e;
  EXPECT_EQ(font.Style(), disc.ButtonFontStyle[e]) << "entry " << e;
}

TEST_F(RunnerPlaysSavedProject, MenuShowsWhatTheEditorSaved) {
  SaveSampleWithEditor();
  const settings::SettingsModel disc = SampleProjectOnDisc();
  tobrinplay::TForm2& menu = ShowMenu();

  EXPECT_EQ(menu.MenuCaptions1, disc.MenuCaptions1);
  EXPECT_EQ(menu.MenuCaptions2, disc.MenuCaptions2);
  EXPECT_EQ(menu.MenuTargets1, disc.MenuTargets1);
  EXPECT_EQ(menu.MenuTargets2, disc.MenuTargets2);
  EXPECT_EQ(menu.ButtonFontSize, disc.ButtonFontSize);
  EXPECT_EQ(menu.ButtonFontName, disc.ButtonFontName);
  EXPECT_EQ(menu.ButtonFontColor, disc.ButtonFontColor);
  EXPECT_EQ(menu.ButtonFontStyle, disc.ButtonFontStyle);
  EXPECT_EQ(menu.Caption(), disc.WindowTitle);
  EXPECT_EQ(menu.Width(), disc.WindowWidth);
  EXPECT_EQ(menu.Height(), disc.WindowHeight);

  for (int k = 1; k <= settings::kMenuButtons; ++k) {
    const ui::BitBtn& button = *menu.MenuButtons[k];
    EXPECT_EQ(button.Caption(), disc.MenuCaptions1[k]) << k;
    EXPECT_EQ(button.Visible(), !disc.MenuCaptions1[k].empty()) << k;
    EXPECT_EQ(button.Left(), disc.ButtonLeft[k]) << k;
    EXPECT_EQ(button.Top(), disc.ButtonTop[k]) << k;
    EXPECT_EQ(button.Width(), disc.ButtonWidth[k]) << k;
    EXPECT_EQ(button.Height(), disc.ButtonHeight[k]) << k;
    ExpectFont(button.Font(), disc, k);
  }
  EXPECT_EQ(menu.BitBtn18->Left(), disc.SetupButtonRect.Left);
  EXPECT_EQ(menu.BitBtn18->Width(), disc.SetupButtonRect.Width);
  EXPECT_EQ(menu.BitBtn19->Top(), disc.BrowseButtonRect.Top);
  EXPECT_EQ(menu.BitBtn20->Height(), disc.Page2ButtonRect.Height);
  EXPECT_TRUE(menu.BitBtn18->Visible());
  EXPECT_FALSE(menu.BitBtn19->Visible());
  EXPECT_TRUE(menu.BitBtn20->Visible());

  menu.BitBtn20Click();
  for (int k = 1; k <= settings::kMenuButtons; ++k) {
    EXPECT_EQ(menu.MenuButtons[k]->Caption(), disc.MenuCaptions2[k]) << k;
    ExpectFont(menu.MenuButtons[k]->Font(), disc, k + settings::kMenuButtons);
  }
}

}  // namespace
}  // namespace tobrin_e2e
