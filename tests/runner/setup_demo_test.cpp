// A new user plays the sample disc: opens the simple setup from the menu,
// unpacks the ZIP item into a fresh folder and finds the files and the
// desktop launcher.
#include <gtest/gtest.h>

#include "setup_fixture.h"

namespace tobrinplay::testing {
namespace {

namespace fs = std::filesystem;

using SetupDemo = SetupFixture;

TEST_F(SetupDemo, TheSampleDiscInstallsItsZipItemWithADesktopLauncher) {
  TOBRIN_REQUIRE_ARCHIVER("Unzip32.dll");
  fs::copy(fs::path(TOBRIN_SOURCE_DIR) / "examples" / "sample-disc", root_,
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  TForm2& menu = ShowMenu();
  ASSERT_TRUE(menu.BitBtn18->Visible());

  std::vector<std::string> captions;
  ui::testing::PushModalScript([&](ui::Form& shown) {
    auto& setup = dynamic_cast<TForm3&>(shown);
    for (int k = 1; k <= TForm3::kItems; ++k) {
      if (setup.ItemButtons[k]->Visible()) captions.push_back(setup.ItemButtons[k]->Caption());
    }
    EXPECT_EQ(setup.Edit1->Text(), "C:\\TobrinSample");
    setup.Edit1->SetText("");
    ui::testing::TypeText(*setup.Edit1, "C:\\新しいフォルダ\\サンプル");
    ui::testing::PushMessageAnswer(ui::mrYes);  // start
    ui::testing::PushMessageAnswer(ui::mrYes);  // desktop shortcut
    ui::testing::ClickControl(*setup.BitBtn2);
    ui::testing::ClickCloseBox(setup);
  });
  ui::testing::ClickControl(*menu.BitBtn18);

  EXPECT_EQ(captions,
            (std::vector<std::string>{"サンプルデータをコピー", "サンプルツールを展開 (ZIP)"}));
  const fs::path installed = HomePath("新しいフォルダ/サンプル");
  EXPECT_TRUE(fs::exists(installed / "sample-tool.htm"));
  EXPECT_TRUE(fs::exists(installed / "tool" / "readme.txt"));
  const std::string launcher = ReadFile(Desktop() / "sample-tool.desktop");
  EXPECT_NE(launcher.find("Exec=xdg-open " + (installed / "sample-tool.htm").string()),
            std::string::npos)
      << launcher;
  EXPECT_EQ(ui::testing::PendingAnswers(), 0);
}

}  // namespace
}  // namespace tobrinplay::testing
