#include "editor/tobrinedit6.h"

#include "editor/tobrinedit1.h"

namespace tobrinedit {

TForm6* Form6 = nullptr;

TForm6::TForm6() : Form("Form6") {
  SetUpDialogWindow(*this, "簡易セットアップの設定", 839, 460);
  FormCreate();
}

void TForm6::FormCreate() {
  SettingsModel model;
  const platform::IniFile settingsFile(OwnFolder() + settings::kSettingsFileName);
  constexpr int kIsArchive1Row = 38, kIsArchive2Row = 39;
  settings::ReadRows(settingsFile, model, settings::Reader::Editor, kIsArchive1Row, kIsArchive2Row);
  IsArchive1 = model.IsArchive1;
  IsArchive2 = model.IsArchive2;
}

}  // namespace tobrinedit
