// The opening window: a picture (with optional music) for a few seconds,
// or a movie, before the menu. The program's main window for its whole
// life; closing it ends the program.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ui/ui.h"

namespace tobrinplay {

class TForm1 : public ui::Form {
 public:
  TForm1();

  ui::Image* Image1;
  ui::Panel* Panel1;
  ui::MediaPlayer* MediaPlayer1;
  ui::Timer* Timer1;

  std::int32_t OpeningKind = 0;  // 0 picture, 1 movie, other: neither
  std::string OpeningMovie;
  std::int32_t OpeningSeconds = 0;
  std::int32_t OpeningTicks = 0;

  void FormCreate();
  void FormShow();
  void FormPaint();
  void Timer1Timer();
  void Image1Click();
  void Panel1Click();

 private:
  void ShowMenu();
  void ShowOpeningPicture(const std::string& fileName, bool fitWindow);
  void PlayOpeningMovie();
  void FitWindowToPicture();
};

extern TForm1* Form1;

}  // namespace tobrinplay
