// Value types of the widget layer in Windows terms: colours as COLORREF
// values (0x00BBGGRR), fonts in points or pixels, modal results as the
// IDOK.. values. No Qt here.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace ui {

// 0x00BBGGRR, or a system colour (0xFF0000nn, nn = COLOR_xxx index).
using TColor = std::int32_t;

constexpr TColor RGB(int r, int g, int b) {
  return (b & 0xFF) << 16 | (g & 0xFF) << 8 | (r & 0xFF);
}

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000);
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;

// The colour as 0x00RRGGBB, system colours resolved to fixed Windows values.
std::uint32_t ColorToRgb(TColor color);

// Font style bits, as the settings file stores them.
constexpr int fsBold = 1;
constexpr int fsItalic = 2;
constexpr int fsUnderline = 4;
constexpr int fsStrikeOut = 8;

// A font as Windows describes it. Size is in points at 96 dots per inch;
// Height is the Windows height in pixels (negative: character height,
// -12 for 9 points). Setting one sets the other. Name may be a Windows
// face name ("ＭＳ Ｐゴシック"); it is mapped to an installed font when drawn.
// Copying a TFont copies its values only; assigning to a control's font
// applies the values to that control.
class TFont {
 public:
  TFont() = default;
  TFont(const TFont& other);
  TFont& operator=(const TFont& other);

  const std::string& Name() const { return name_; }
  int Size() const;
  int Height() const { return height_; }
  TColor Color() const { return color_; }
  int Style() const { return style_; }

  void SetName(std::string name);
  void SetSize(int points);
  void SetHeight(int pixels);
  void SetColor(TColor color);
  void SetStyle(int styleBits);  // only the low 8 bits count

  bool operator==(const TFont& other) const;

  // Runs after every change; the owning control uses it.
  std::function<void()> OnChange;

 private:
  void Changed();
  std::string name_ = "ＭＳ Ｐゴシック";
  int height_ = -12;
  TColor color_ = clWindowText;
  int style_ = 0;
};

// Modal results: the Windows IDOK.. values.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
// Shift state of the class library: keys and mouse buttons, a bit set.
using TShiftState = std::uint32_t;
constexpr TShiftState ssShift = 0x01;
constexpr TShiftState ssAlt = 0x02;
constexpr TShiftState ssCtrl = 0x04;
constexpr TShiftState ssLeft = 0x08;
constexpr TShiftState ssRight = 0x10;
constexpr TShiftState ssMiddle = 0x20;
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
// fsStayOnTop: the window stays above the other windows of the desktop.
enum TFormStyle { fsNormal, fsStayOnTop };
enum TPosition { poDesigned, poDefault, poScreenCenter, poDesktopCenter, poMainFormCenter };

// Title-bar buttons, a bit set.
constexpr int biSystemMenu = 1;
constexpr int biMinimize = 2;
constexpr int biMaximize = 4;

enum TCursor { crDefault, crArrow, crHourGlass, crHandPoint, crIBeam, crCross };

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
};

// Virtual key codes the layer reports and tests send.
constexpr int vkReturn = 0x0D;
constexpr int vkEscape = 0x1B;
constexpr int vkSpace = 0x20;
constexpr int vkTab = 0x09;
constexpr int vkUp = 0x26;
constexpr int vkDown = 0x28;

}  // namespace ui
