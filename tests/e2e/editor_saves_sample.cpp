// The editor half of the end-to-end test: enters the sample project into
// the editor's dialog fields and saves it with the editor's own "ファイルに
// 出力" button into the folder named on the command line.
#include <stdlib.h>

#include <cstdio>
#include <exception>
#include <string>

#include "editor/forms.h"
#include "platform/files/files.h"
#include "platform/ui/testing.h"
#include "sample_project.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("TOBRIN_DRIVES", (std::string("D=") + argv[1]).c_str(), 1);
  platform::files::ReloadDriveMap();
  using namespace tobrinedit;
  try {
    ui::App().SetTitle("Tobrin EX");
    SetOwnFolderForTesting("D:\\");
    CreateForms();
    Form1->Show();
    const settings::SettingsModel project = tobrin_e2e::SampleProject();
    Form2->LoadSettings(project);
    Form5->LoadSettings(project);
    Form7->LoadSettings(project);
    Form2->RadioGroup2->SetItemIndex(project.ButtonHoverColor);
    ui::testing::PushFolderAnswer("D:\\");
    Form1->BitBtn11Click();
    DestroyForms();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "editor failed: %s\n", error.what());
    return 1;
  }
  return 0;
}
