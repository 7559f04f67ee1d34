// tobrinedit: the menu editor. It reads no command-line arguments.
#include "editor/forms.h"

int main() {
  ui::Application& application = ui::App();
  application.Initialize();
  application.SetTitle("Tobrin EX");
  tobrinedit::CreateForms();
  application.Run();
  tobrinedit::DestroyForms();
  return 0;
}
