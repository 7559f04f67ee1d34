// tobrinplay: plays the disc menu that lies beside it. No arguments are read.
#include "platform/files/files.h"
#include "platform/ui/ui.h"
#include "runner/tobrinplay1.h"
#include "runner/tobrinplay2.h"
#include "runner/tobrinplay3.h"
#include "runner/tobrinplay4.h"

int main() {
  using namespace tobrinplay;
  ui::App().Initialize();
  // A file-size limit fails the write that meets it, which the program
  // reports, instead of killing the program mid-way.
  platform::files::FailWritesPastTheFileSizeLimit();
  // The first form created is the main window; the menu window sets the title.
  Form1 = new TForm1;
  Form2 = new TForm2;
  Form3 = new TForm3;
  Form4 = new TForm4;
  ui::App().Run();
  delete Form4;
  delete Form3;
  delete Form2;
  delete Form1;
  return 0;
}
