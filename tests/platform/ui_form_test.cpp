// Geometry of forms and controls, pictures.
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImageWriter>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <climits>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>

#include "platform/ui/bounds.h"
#include "platform/ui/image_internal.h"
#include "platform/ui/qt_internal.h"
#include "ui_test_support.h"

namespace {

using UiForm = UiTest;

TEST_F(UiForm, OuterSizeConvertsToClientSizeByBorderStyle) {
  ui::Form form;
  form.SetBorderStyle(ui::bsSizeable);
  form.SetWidth(532);
  form.SetHeight(441);
  EXPECT_EQ(form.ClientWidth(), 532 - 2 * ui::frame::kSizeableBorder);
  EXPECT_EQ(form.ClientHeight(), 441 - 2 * ui::frame::kSizeableBorder - ui::frame::kCaption);
  EXPECT_EQ(form.Width(), 532);
  EXPECT_EQ(form.Height(), 441);

  form.SetBorderStyle(ui::bsDialog);
  form.SetWidth(532);
  form.SetHeight(441);
  EXPECT_EQ(form.ClientWidth(), 526);
  EXPECT_EQ(form.ClientHeight(), 416);

  // The client area can be made exactly a picture's size.
  form.SetHeight(form.Height() - form.ClientHeight() + 300);
  form.SetWidth(form.Width() - form.ClientWidth() + 400);
  EXPECT_EQ(form.ClientWidth(), 400);
  EXPECT_EQ(form.ClientHeight(), 300);

  form.SetBorderStyle(ui::bsNone);
  EXPECT_EQ(form.Width(), 400);
}

TEST_F(UiForm, FixedFrameWindowCanBeMaximised) {
  ui::Form form;
  form.SetBorderStyle(ui::bsSingle);
  form.SetClientWidth(200);
  form.SetClientHeight(100);
  form.SetWindowState(ui::wsMaximized);
  form.Show();
  ui::testing::RunEventsFor(20);
  EXPECT_EQ(form.WindowState(), ui::wsMaximized);
  EXPECT_GT(form.ClientWidth(), 200);
  // Restored: the size before maximising, fixed again.
  form.SetWindowState(ui::wsNormal);
  ui::testing::RunEventsFor(20);
  const QWidget* w = form.Impl()->widget;
  EXPECT_EQ(form.WindowState(), ui::wsNormal);
  EXPECT_EQ(w->size(), QSize(200, 100));
  EXPECT_EQ(w->minimumSize(), QSize(200, 100));
  EXPECT_EQ(w->maximumSize(), QSize(200, 100));
}

// The page editor's colour groups: "デフォルト" is wider than a third of
// its group in the fonts installed here. No item runs into the next
// column or out of the group; groups whose items fit keep equal columns.
TEST_F(UiForm, RadioGroupItemsNeverRunIntoTheNextColumn) {
  ui::Form form;
  form.Font().SetName("ＭＳ Ｐゴシック");
  const auto columnsOf = [&](const char* name, int width, std::vector<std::string> items) {
    auto* group = new ui::RadioGroup(&form, name);
    group->SetBounds(8, 8, width, 49);
    group->SetColumns(3);
    group->SetItems(std::move(items));
    std::vector<QRect> places;
    for (const QRadioButton* b : group->Impl()->widget->findChildren<QRadioButton*>()) {
      EXPECT_LE(b->sizeHint().width(), b->width()) << b->text().toStdString() << " is cut";
      EXPECT_LE(b->geometry().right(), width) << b->text().toStdString() << " leaves the group";
      for (const QRect& other : places)
        EXPECT_FALSE(other.intersects(b->geometry())) << b->text().toStdString() << " overlaps";
      places.push_back(b->geometry());
    }
    std::set<int> widths;
    for (const QRect& place : places) widths.insert(place.width());
    return widths;
  };
  form.Show();
  const auto background =
      columnsOf("RadioGroup3", 217, {"デフォルト", "赤", "青", "黄", "緑", "灰"});
  EXPECT_GT(background.size(), 1u) << "the first column is wider";
  const auto colours = columnsOf("RadioGroup1", 201, {"黒", "赤", "青", "黄", "緑", "灰"});
  EXPECT_EQ(colours, (std::set<int>{(201 - 10) / 3}));
}

TEST_F(UiForm, FontsInPointsAndStyleBits) {
  ui::TFont font;
  font.SetSize(9);
  EXPECT_EQ(font.Height(), -12);
  font.SetSize(14);
  EXPECT_EQ(font.Size(), 14);
  font.SetHeight(-15);
  EXPECT_EQ(font.Size(), 11);
  font.SetStyle(0x1FF);
  EXPECT_EQ(font.Style(), 0xFF);

  ui::Form form;
  form.Font().SetSize(12);
  auto* label = new ui::Label(&form, "Label1");
  EXPECT_EQ(label->Font().Size(), 12);  // taken from the form
  form.Font().SetColor(ui::clRed);
  EXPECT_EQ(label->Font().Color(), ui::clRed);
  label->Font().SetColor(ui::clBlue);
  form.Font().SetColor(ui::clGreen);
  EXPECT_EQ(label->Font().Color(), ui::clBlue);  // its own font now
}

TEST_F(UiForm, WindowsColoursConvertToRgb) {
  EXPECT_EQ(ui::ColorToRgb(ui::clRed), 0xFF0000u);
  EXPECT_EQ(ui::ColorToRgb(ui::RGB(1, 2, 3)), 0x010203u);
  EXPECT_EQ(ui::ColorToRgb(ui::clBtnFace), 0xF0F0F0u);
}

std::string Fixture(const char* name) {
  return std::string(TOBRIN_TEST_DATA) + "/platform/ui/" + name;
}

TEST_F(UiForm, ImageLoadsBmpAndJpegAtNaturalSize) {
  ui::Form form;
  auto* image = new ui::Image(&form, "Image1");
  image->SetAutoSize(true);
  image->LoadFromFile(Fixture("red.jpg"));
  EXPECT_EQ(image->PictureWidth(), 40);
  EXPECT_EQ(image->Width(), 40);
  EXPECT_EQ(image->Height(), 30);
  image->SetAutoSize(false);
  image->SetBounds(0, 0, 10, 10);
  image->LoadFromFile(Fixture("blue.bmp"));
  EXPECT_EQ(image->PictureHeight(), 30);
  EXPECT_EQ(image->Width(), 10);
}

TEST_F(UiForm, DamagedJpegRaisesAndKeepsThePicture) {
  ui::Form form;
  auto* image = new ui::Image(&form, "Image1");
  image->LoadFromFile(Fixture("blue.bmp"));
  EXPECT_THROW(image->LoadFromFile(Fixture("damaged.jpg")), std::runtime_error);
  EXPECT_EQ(image->PictureWidth(), 40);
}

// Grey and CMYK pictures come out as RGB: a grey one written by Qt, and a
// CMYK one (Adobe's inverted samples) whose left half is red, right half grey.
TEST_F(UiForm, GreyAndCmykJpegsKeepTheirColours) {
  QImage grey(16, 8, QImage::Format_Grayscale8);
  grey.fill(90);
  const std::string greyPath = ::testing::TempDir() + "grey.jpg";
  ASSERT_TRUE(grey.save(QString::fromStdString(greyPath), "jpeg", 95));
  const QImage fromGrey = ui::detail::LoadJpeg(greyPath, greyPath);
  const QImage fromCmyk = ui::detail::LoadJpeg(Fixture("cmyk.jpg"), "cmyk.jpg");
  // Read raw: QImage::pixel() would hide a wrong alpha byte.
  const auto expectNear = [](const QImage& image, int x, int red, int green, int blue) {
    const QRgb pixel = reinterpret_cast<const QRgb*>(image.constScanLine(4))[x];
    EXPECT_EQ(qAlpha(pixel), 255);
    EXPECT_NEAR(qRed(pixel), red, 4);
    EXPECT_NEAR(qGreen(pixel), green, 4);
    EXPECT_NEAR(qBlue(pixel), blue, 4);
  };
  expectNear(fromGrey, 3, 90, 90, 90);
  expectNear(fromCmyk, 2, 220, 20, 40);
  expectNear(fromCmyk, 12, 90, 90, 90);
}

// A file loaded again is read again once it has changed on disk, even at
// the same size and within the same second.
TEST_F(UiForm, PictureLoadedAgainFollowsTheFile) {
  ui::Form form;
  auto* image = new ui::Image(&form, "Image1");
  const std::string path = ::testing::TempDir() + "again.bmp";
  for (QRgb colour : {qRgb(255, 0, 0), qRgb(0, 0, 255)}) {
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(colour);
    ASSERT_TRUE(picture.save(QString::fromStdString(path), "bmp"));
    image->LoadFromFile(path);
    image->LoadFromFile(path);
    QImage shown(8, 8, QImage::Format_RGB32);
    ui::detail::ClientWidget(image)->render(&shown);
    EXPECT_EQ(shown.pixel(4, 4), colour);
  }
}

// A picture the program draws is drawn when first shown, once; until then
// the area knows its size. Pixels that are not that many show nothing, and
// a file loaded meanwhile takes the drawing's place.
TEST_F(UiForm, DrawnPicturesAreDrawnWhenFirstShown) {
  ui::Form form;
  auto* image = new ui::Image(&form, "Image1");
  auto* wrong = new ui::Image(&form, "Image2");
  auto* replaced = new ui::Image(&form, "Image3");
  int draws = 0;
  const auto draw = [&draws] {
    ++draws;
    return std::vector<std::uint32_t>(4 * 3, 0x123456);
  };
  image->SetAutoSize(true);
  image->LoadFromPixels(4, 3, draw);
  wrong->LoadFromPixels(4, 3, [] { return std::vector<std::uint32_t>(5, 0); });
  replaced->LoadFromPixels(4, 3, draw);
  replaced->LoadFromFile(Fixture("blue.bmp"));
  EXPECT_THROW(image->LoadFromPixels(0, 3, draw), std::runtime_error);
  EXPECT_EQ(draws, 0);
  EXPECT_TRUE(image->HasPicture());
  EXPECT_EQ(image->Width(), 4);
  EXPECT_EQ(image->PictureHeight(), 3);
  for (int i = 0; i < 2; ++i) {
    QImage shown(4, 3, QImage::Format_RGB32);
    ui::detail::ClientWidget(image)->render(&shown);
    EXPECT_EQ(shown.pixel(2, 1), qRgb(0x12, 0x34, 0x56));
  }
  EXPECT_EQ(draws, 1);
  QImage nothing(4, 3, QImage::Format_RGB32);
  nothing.fill(Qt::white);
  ui::detail::ClientWidget(wrong)->render(&nothing);
  EXPECT_FALSE(wrong->HasPicture());
  EXPECT_NE(replaced->PictureWidth(), 4);
}

// A JPEG's rows are decoded when it is first painted, from the file as it
// was loaded: writing over the file meanwhile changes nothing. Rows that
// fail then leave the area empty; decoded at once, the same file is refused.
TEST_F(UiForm, JpegRowsAreDecodedWhenFirstPaintedFromTheFileAsLoaded) {
  ui::Form form;
  auto* image = new ui::Image(&form, "Image1");
  auto* damaged = new ui::Image(&form, "Image2");
  std::ifstream in(Fixture("red.jpg"), std::ios::binary);
  const std::string red((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto write = [](const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  };
  const std::string late = ::testing::TempDir() + "late.jpg";
  write(late, red);
  image->SetAutoSize(true);
  image->LoadFromFile(late);
  write(late, "not a picture any more");
  EXPECT_EQ(image->Width(), 40);
  QImage shown(40, 30, QImage::Format_RGB32);
  ui::detail::ClientWidget(image)->render(&shown);
  EXPECT_GT(qRed(shown.pixel(20, 15)), 200);
  EXPECT_LT(qBlue(shown.pixel(20, 15)), 60);

  // Its scan twice, where the end of the picture should stand.
  const std::size_t scan = red.find("\xFF\xDA");
  ASSERT_NE(scan, std::string::npos);
  const std::string twice = ::testing::TempDir() + "twice.jpg";
  write(twice, red.substr(0, red.size() - 2) + red.substr(scan));
  damaged->LoadFromFile(twice);
  EXPECT_TRUE(damaged->HasPicture());
  ui::detail::ClientWidget(damaged)->render(&shown);
  EXPECT_FALSE(damaged->HasPicture());
  EXPECT_THROW(ui::detail::LoadJpeg(twice, twice), std::runtime_error);
}

// A copy of a fixture whose header declares another size: a few bytes
// that claim 30000 x 30000 pixels.
std::string WithDeclaredSize(const char* fixture, const std::string& copy, int width, int height) {
  std::ifstream in(Fixture(fixture), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), {});
  const std::string path = ::testing::TempDir() + copy;
  if (bytes.starts_with("BM")) {
    for (int i = 0; i < 4; ++i) {
      bytes[18 + i] = static_cast<char>(width >> (8 * i));
      bytes[22 + i] = static_cast<char>(height >> (8 * i));
    }
  } else {
    // The first start-of-frame marker: length, precision, height, width.
    std::size_t sof = 2;
    while (sof + 9 < bytes.size() && !(static_cast<unsigned char>(bytes[sof]) == 0xFF &&
                                       (static_cast<unsigned char>(bytes[sof + 1]) & 0xFC) == 0xC0))
      ++sof;
    bytes[sof + 5] = static_cast<char>(height >> 8);
    bytes[sof + 6] = static_cast<char>(height);
    bytes[sof + 7] = static_cast<char>(width >> 8);
    bytes[sof + 8] = static_cast<char>(width);
  }
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

TEST_F(UiForm, PicturesAboveThePixelLimitAreRefusedBeforeDecoding) {
  ui::Form form;
  auto* image = new ui::Image(&form, "Image1");
  image->LoadFromFile(Fixture("red.jpg"));
  try {
    image->LoadFromFile(WithDeclaredSize("red.jpg", "huge.jpg", 30000, 30000));
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("大きすぎて"), std::string::npos) << e.what();
  }
  EXPECT_EQ(image->PictureWidth(), 40);  // the picture it had stays
  EXPECT_THROW(image->LoadFromFile(WithDeclaredSize("blue.bmp", "huge.bmp", 30000, 30000)),
               std::runtime_error);
  EXPECT_EQ(image->PictureWidth(), 40);
  // A size within the limit still loads (what the file lacks stays grey).
  image->LoadFromFile(WithDeclaredSize("red.jpg", "wide.jpg", 4000, 30));
  EXPECT_EQ(image->PictureWidth(), 4000);
}

// The limit is one 4K screen's worth; a stretched JPEG is decoded only as
// large as it can be shown (its area, or the screen when maximised), a
// progressive one too, and keeps its colours; one shown as it is stays whole.
TEST_F(UiForm, JpegsStayWithinTheLimitAndDecodeAtTheSizeShown) {
  const QSize screen = QGuiApplication::primaryScreen()->size();
  ASSERT_LT(screen.width(), 2048);
  ASSERT_LT(screen.height(), 1080);
  QImage source(4096, 2160, QImage::Format_RGB32);
  source.fill(qRgb(200, 30, 60));
  ui::Form form;
  auto* image = new ui::Image(&form, "Image1");
  image->SetBounds(0, 0, 100, 80);
  for (bool progressive : {false, true}) {
    const std::string path = ::testing::TempDir() + (progressive ? "big-p.jpg" : "big.jpg");
    QImageWriter writer(QString::fromStdString(path), "jpeg");
    writer.setProgressiveScanWrite(progressive);
    ASSERT_TRUE(writer.write(source));
    image->SetStretch(true);
    image->LoadFromFile(path);
    EXPECT_LT(image->PictureWidth(), 4096);
    EXPECT_GE(image->PictureWidth(), screen.width());
    EXPECT_GE(image->PictureHeight(), screen.height());
    const QImage decoded = ui::detail::LoadJpeg(path, path, QSize(100, 80));
    EXPECT_EQ(decoded.size(), QSize(512, 270));  // an eighth covers the area
    const QColor middle = decoded.pixelColor(256, 135);
    EXPECT_NEAR(middle.red(), 200, 8);
    EXPECT_NEAR(middle.green(), 30, 8);
    EXPECT_NEAR(middle.blue(), 60, 8);
    image->SetStretch(false);
    image->LoadFromFile(path);
    EXPECT_EQ(image->PictureWidth(), 4096);
    EXPECT_EQ(image->PictureHeight(), 2160);
  }
  for (QSize declared : {QSize(4097, 2160), QSize(8192, 8192)}) {
    EXPECT_THROW(image->LoadFromFile(
                     WithDeclaredSize("red.jpg", "over.jpg", declared.width(), declared.height())),
                 std::runtime_error);
  }
  EXPECT_EQ(image->PictureWidth(), 4096);
}

// Window and control geometry from a file: bounded to what a screen can
// show, never so small that a window is not mapped, never overflowing.
TEST_F(UiForm, SizesAndPlacesAreBoundedToWhatAScreenCanShow) {
  const int max = ui::bounds::MaxExtent();
  EXPECT_GE(max, 2 * 800);
  EXPECT_LE(max, 4 * 8192);
  ui::Form form;
  form.SetBorderStyle(ui::bsDialog);
  for (int size : {100000, INT_MAX}) {
    form.SetWidth(size);
    form.SetHeight(size);
    EXPECT_EQ(form.Width(), max);
    EXPECT_EQ(form.Height(), max);
    form.SetClientWidth(size);
    EXPECT_EQ(form.ClientWidth(), max);
  }
  for (int size : {-100, 0, 25, INT_MIN}) {
    form.SetWidth(size);
    form.SetHeight(size);
    EXPECT_EQ(form.ClientWidth(), ui::bounds::kMinClientWidth) << size;
    EXPECT_EQ(form.ClientHeight(), ui::bounds::kMinClientHeight) << size;
  }
  form.SetLeft(INT_MIN);
  form.SetTop(INT_MAX);
  EXPECT_EQ(form.Left(), -max);
  EXPECT_EQ(form.Top(), max);

  auto* button = new ui::BitBtn(&form, "BitBtn1");
  button->SetBounds(INT_MAX, INT_MIN, INT_MAX, -5);
  EXPECT_EQ(button->Left(), max);
  EXPECT_EQ(button->Top(), -max);
  EXPECT_EQ(button->Width(), max);
  EXPECT_EQ(button->Height(), 0);
  button->Font().SetSize(INT_MAX);
  EXPECT_GT(button->Font().Size(), 1000);  // still a huge size, not a wrapped one
  EXPECT_LE(button->Impl()->widget->font().pixelSize(), ui::bounds::kMaxFontPixels);
  button->Font().SetSize(INT_MIN);
  EXPECT_LT(button->Font().Size(), 0);
  button->SetCaption("大");
  auto* label = new ui::Label(&form, "Label1");
  label->Font().SetHeight(INT_MIN);
  label->SetCaption(std::string(2000, 'W'));
  EXPECT_LE(label->Width(), max);
}

TEST_F(UiForm, MetafilesAreRefusedWithAClearMessage) {
  ui::Form form;
  auto* image = new ui::Image(&form, "Image1");
  try {
    image->LoadFromFile(Fixture("picture.wmf"));
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("メタファイル"), std::string::npos);
  }
  EXPECT_FALSE(image->HasPicture());
}

// A group made in a form not on screen is arranged when the form is shown,
// its items where those of a group made on screen lie.
TEST_F(UiForm, RadioGroupMadeOffScreenIsArrangedAsOneMadeOnScreen) {
  const auto itemPlaces = [](ui::Form& form) {
    auto* group = new ui::RadioGroup(&form, "RadioGroup1");
    group->SetBounds(8, 8, 217, 49);
    group->SetItems({"デフォルト", "赤", "青", "黄", "緑", "灰"});
    group->SetColumns(3);
    group->SetBounds(8, 8, 257, 65);
    std::vector<QRect> places;
    form.Show();
    for (const QRadioButton* b : group->Impl()->widget->findChildren<QRadioButton*>())
      places.push_back(b->isVisible() ? b->geometry() : QRect());
    return places;
  };
  ui::Form onScreen;
  onScreen.Show();
  ui::Form offScreen;
  const std::vector<QRect> expected = itemPlaces(onScreen);
  ASSERT_EQ(expected.size(), 6u);
  EXPECT_EQ(itemPlaces(offScreen), expected);
}

// A label takes its text's size when asked for it while its form is
// hidden, and when the form is shown without anyone asking; one that wraps,
// at the width it was given.
TEST_F(UiForm, LabelsTakeTheirTextsSizeWhenAskedOrShown) {
  ui::Form form;
  auto* asked = new ui::Label(&form, "Label1");
  auto* shown = new ui::Label(&form, "Label2");
  auto* wrapped = new ui::Label(&form, "Label3");
  const std::string caption = "ファイルを読み込み中です。しばらくお待ちください";
  for (ui::Label* label : {asked, shown, wrapped}) label->SetCaption(caption);
  wrapped->SetWidth(60);
  wrapped->SetWordWrap(true);
  QWidget* w = ui::detail::ClientWidget(shown);
  const QSize text = QFontMetrics(w->font()).size(0, QString::fromStdString(caption));
  EXPECT_EQ(asked->Width(), text.width());
  EXPECT_EQ(asked->Height(), text.height());
  form.Show();
  EXPECT_EQ(w->size(), text);
  EXPECT_EQ(ui::detail::ClientWidget(wrapped)->width(), 60);
  EXPECT_GT(ui::detail::ClientWidget(wrapped)->height(), 2 * text.height());
}

// What is set on a hidden label stands when its form is shown: a side set
// is not fitted again, bounds set after the fit was turned off stay, a
// label fixed before a new caption keeps the size of the old one, and one
// fixed before it wraps keeps the height of the unwrapped text.
TEST_F(UiForm, HiddenLabelsKeepWhatWasSetOnThem) {
  ui::Form form;
  auto* sided = new ui::Label(&form, "Label1");
  auto* bounded = new ui::Label(&form, "Label2");
  auto* fixed = new ui::Label(&form, "Label3");
  auto* wrapped = new ui::Label(&form, "Label4");
  const std::string caption = "ファイルを読み込み中です。しばらくお待ちください";
  sided->SetCaption(caption);
  sided->SetWidth(40);
  bounded->SetCaption(caption);
  bounded->SetAutoSize(false);
  bounded->SetBounds(1, 2, 300, 50);
  fixed->SetCaption("短い");
  fixed->SetAutoSize(false);
  fixed->SetCaption(caption);
  wrapped->SetCaption(caption);
  wrapped->SetAutoSize(false);
  wrapped->SetWordWrap(true);
  wrapped->SetWidth(60);
  const QFont font = ui::detail::ClientWidget(sided)->font();
  const QSize text = QFontMetrics(font).size(0, QString::fromStdString(caption));
  const QSize shortText = QFontMetrics(font).size(0, QStringLiteral("短い"));
  form.Show();
  EXPECT_EQ(ui::detail::ClientWidget(sided)->size(), QSize(40, text.height()));
  EXPECT_EQ(ui::detail::ClientWidget(bounded)->geometry(), QRect(1, 2, 300, 50));
  EXPECT_EQ(ui::detail::ClientWidget(fixed)->size(), shortText);
  EXPECT_EQ(ui::detail::ClientWidget(wrapped)->size(), QSize(60, text.height()));
}

// A combo box takes any text until it is made a list, which then takes only
// its items; made a list straight away it never has a text box of its own.
TEST_F(UiForm, ComboBoxTextFollowsItsStyle) {
  ui::Form form;
  auto* free = new ui::ComboBox(&form, "ComboBox1");
  auto* list = new ui::ComboBox(&form, "ComboBox2");
  list->SetStyle(ui::csDropDownList);
  for (ui::ComboBox* combo : {free, list}) {
    combo->AddItem("１");
    combo->AddItem("２");
    combo->SetText("３");
  }
  EXPECT_EQ(free->Text(), "３");
  EXPECT_EQ(free->ItemIndex(), -1);
  EXPECT_EQ(list->Text(), "");
  list->SetText("２");
  EXPECT_EQ(list->ItemIndex(), 1);
  form.Show();
  EXPECT_NE(ui::detail::ClientWidget(free)->findChild<QLineEdit*>(), nullptr);
  EXPECT_EQ(ui::detail::ClientWidget(list)->findChild<QLineEdit*>(), nullptr);
  free->SetStyle(ui::csDropDownList);
  free->SetText("１");
  EXPECT_EQ(free->ItemIndex(), 0);
}

// Graphic controls (labels, pictures) lie below every windowed control,
// each group in creation order, however the two are mixed.
TEST_F(UiForm, GraphicControlsLieBelowWindowedOnesInCreationOrder) {
  ui::Form form;
  auto* button1 = new ui::Button(&form, "Button1");
  auto* label1 = new ui::Label(&form, "Label1");
  auto* edit1 = new ui::Edit(&form, "Edit1");
  auto* label2 = new ui::Label(&form, "Label2");
  auto* image1 = new ui::Image(&form, "Image1");
  auto* button2 = new ui::Button(&form, "Button2");
  std::vector<ui::Control*> controls{button1, label1, edit1, label2, image1, button2};
  auto stacking = [&] {  // bottom first
    std::vector<std::string> names;
    for (QObject* child : form.Impl()->widget->children())
      for (ui::Control* c : controls)
        if (child == c->Impl()->widget) names.push_back(c->Name());
    return names;
  };
  using Names = std::vector<std::string>;
  EXPECT_EQ(stacking(), (Names{"Label1", "Label2", "Image1", "Button1", "Edit1", "Button2"}));
  controls.push_back(new ui::Label(&form, "Label3"));
  EXPECT_EQ(stacking(),
            (Names{"Label1", "Label2", "Image1", "Label3", "Button1", "Edit1", "Button2"}));
  controls.push_back(new ui::Edit(&form, "Edit2"));
  EXPECT_EQ(stacking().back(), "Edit2");
}

}  // namespace

namespace {

using UiMedia = UiTest;

TEST_F(UiMedia, PlaysSoundWithoutWaitingAndStops) {
  ui::Form form;
  auto* player = new ui::MediaPlayer(&form, "MediaPlayer1");
  player->SetVisible(false);
  player->FileName = Fixture("beep.wav");
  player->Open();
  EXPECT_TRUE(player->IsOpen());
  EXPECT_EQ(player->DisplayRect().Width(), 0);  // sound has no picture
  player->Play();
  player->Stop();
  player->Close();
  EXPECT_FALSE(player->IsOpen());
}

TEST_F(UiMedia, FileThatCannotBePlayedRaises) {
  ui::Form form;
  auto* player = new ui::MediaPlayer(&form, "MediaPlayer1");
  player->FileName = Fixture("broken.wav");
  EXPECT_THROW(player->Open(), std::runtime_error);
  EXPECT_FALSE(player->IsOpen());
  player->FileName = Fixture("missing.wav");
  EXPECT_THROW(player->Open(), std::runtime_error);
}

}  // namespace

namespace {

using UiMovie = UiTest;

TEST_F(UiMovie, MovieReportsItsSizeAndPlaysInThePanel) {
  ui::Form form;
  auto* panel = new ui::Panel(&form, "Panel1");
  auto* player = new ui::MediaPlayer(&form, "MediaPlayer1");
  player->SetVisible(false);
  player->SetDisplay(panel);
  player->FileName = Fixture("red.avi");
  player->Open();
  const ui::TRect rect = player->DisplayRect();
  EXPECT_EQ(rect.Width(), 40);
  EXPECT_EQ(rect.Height(), 30);
  panel->SetWidth(rect.Width());
  panel->SetHeight(rect.Height());
  form.Show();
  player->Play();
  ui::testing::RunEventsFor(50);
  player->Close();
}

}  // namespace

namespace {

using UiShow = UiTest;

TEST_F(UiShow, CentredFormsShareTheScreenCentreAndPaint) {
  ui::Form small, large;
  small.SetBorderStyle(ui::bsNone);
  small.SetWidth(200);
  small.SetHeight(100);
  large.SetBorderStyle(ui::bsDialog);
  large.SetWidth(532);
  large.SetHeight(441);
  small.SetPosition(ui::poScreenCenter);
  large.SetPosition(ui::poScreenCenter);
  int paints = 0;
  large.OnPaint = [&] { ++paints; };
  small.Show();
  large.Show();
  EXPECT_NEAR(small.Left() + small.Width() / 2, large.Left() + large.Width() / 2, 1);
  EXPECT_NEAR(small.Top() + small.Height() / 2, large.Top() + large.Height() / 2, 1);
  for (int i = 0; i < 50 && paints == 0; ++i) ui::testing::RunEventsFor(10);
  EXPECT_GT(paints, 0);
}

TEST_F(UiShow, ModalFormWithoutResultEndsWhenHidden) {
  ui::Form dialog;
  int closes = 0;
  dialog.OnClose = [&] { ++closes; };
  ui::testing::PushModalScript([](ui::Form& shown) { shown.Close(); });
  EXPECT_EQ(dialog.ShowModal(), ui::mrCancel);
  EXPECT_EQ(closes, 1);
  EXPECT_THROW(
      {
        dialog.Show();
        dialog.ShowModal();
      },
      std::runtime_error);
}

}  // namespace
