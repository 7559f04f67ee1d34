#include "runner/tobrinplay4.h"

namespace tobrinplay {

TForm4* Form4 = nullptr;

TForm4::TForm4() : Form("Form4") {}

}  // namespace tobrinplay
