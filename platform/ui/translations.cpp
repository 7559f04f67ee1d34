// Qt's own words (standard buttons, file and folder dialogs) in Japanese,
// whatever the user's locale: Qt's Japanese catalog, and our own few words
// where that catalog has none.
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstring>

#include "platform/ui/qt_internal.h"

namespace ui::detail {

namespace {

struct Word {
  const char* source;
  const char* japanese;
};

// The words Qt's catalog leaves in English (the file dialog's type column;
// its context has moved between Qt versions, so any context matches).
constexpr Word kMissingWords[] = {
    {"Folder", "フォルダー"},
};

class MissingWordsTranslator : public QTranslator {
 public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char*, const char* sourceText, const char*, int) const override {
    for (const Word& word : kMissingWords) {
      if (sourceText && std::strcmp(sourceText, word.source) == 0) {
        return QString::fromUtf8(word.japanese);
      }
    }
    return QString();
  }
};

}  // namespace

void InstallJapaneseTranslations() {
  QCoreApplication* app = QCoreApplication::instance();
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  QCoreApplication::installTranslator(new MissingWordsTranslator(app));
  auto* catalog = new QTranslator(app);
  if (catalog->load(QStringLiteral("qtbase_ja"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(catalog);
  }
}

}  // namespace ui::detail
