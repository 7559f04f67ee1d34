// The yardstick of the start benchmarks: a bare Qt Widgets program with a
// window of the menu's size and as many buttons, nothing else.
#include <QApplication>
#include <QPushButton>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("bare"));
  window.resize(532, 441);
  for (int i = 0; i < 20; ++i) {
    auto* button = new QPushButton(QStringLiteral("ボタン %1").arg(i + 1), &window);
    button->setGeometry(10 + (i % 2) * 260, 10 + (i / 2) * 42, 250, 36);
  }
  window.show();
  return app.exec();
}
