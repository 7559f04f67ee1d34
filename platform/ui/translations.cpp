// Qt's own words (standard buttons, file and folder dialogs) in Japanese,
// whatever the user's locale: Qt's Japanese catalog, and our own few words
// where that catalog has none.
#include <QCoreApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
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

// Qt's file list writes dates and sizes in the system locale ("8 Dec 2024",
// "104 bytes" under C): this one writes them as a Japanese desktop does.
class JapaneseDetails : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;
  QVariant data(const QModelIndex& index, int role) const override {
    auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files) return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    if (index.column() == kSizeColumn && !files->isDir(source))
      return japanese.formattedDataSize(files->size(source), 2, QLocale::DataSizeTraditionalFormat);
    if (index.column() == kDateColumn)
      return japanese.toString(files->lastModified(source), QLocale::ShortFormat);
    return QIdentityProxyModel::data(index, role);
  }

 private:
  static constexpr int kSizeColumn = 1;
  static constexpr int kDateColumn = 3;
};

}  // namespace

void ShowDetailsInJapanese(QFileDialog* dialog) {
  dialog->setProxyModel(new JapaneseDetails(dialog));
}

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
