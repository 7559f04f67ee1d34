// tobrinedit: the menu editor. It reads no command-line arguments.
#include "editor/forms.h"
#include "platform/files/files.h"

int main() {
  ui::Application& application = ui::App();
  application.Initialize();
  // A file-size limit fails the write that meets it, which the program
  // reports, instead of killing the program mid-way.
  platform::files::FailWritesPastTheFileSizeLimit();
  application.SetTitle("Tobrin EX");
  tobrinedit::CreateForms();
  application.Run();
  tobrinedit::DestroyForms();
  return 0;
}
