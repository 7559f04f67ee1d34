// Qt's own words (standard buttons, file and folder dialogs) in Japanese,
// whatever the user's locale: Qt's Japanese catalog, and our own few words
// where that catalog has none.
#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLibraryInfo>
#include <QListView>
#include <QLocale>
#include <QSplitter>
#include <QTranslator>
#include <QTreeView>
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

// The detail columns are as wide as Qt's English texts need: each loaded
// folder widens them to its Japanese sizes, types and dates (the author
// may still drag them narrower).
void FitDetailColumns(QFileDialog* dialog) {
  auto* files = dialog->findChild<QFileSystemModel*>();
  auto* details = dialog->findChild<QTreeView*>();
  if (!files || !details) return;
  QObject::connect(files, &QFileSystemModel::directoryLoaded, details, [details] {
    for (int column = 1; column < details->header()->count(); ++column)
      details->resizeColumnToContents(column);
  });
}

// The places on the left ("コンピューター", the home folder) are shown
// whole; the splitter has its sizes only once the dialog is shown.
class SidebarFitter : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) Fit(static_cast<QWidget*>(watched));
    return false;
  }

 private:
  static void Fit(QWidget* dialog) {
    auto* splitter = dialog->findChild<QSplitter*>(QStringLiteral("splitter"));
    auto* places = dialog->findChild<QListView*>(QStringLiteral("sidebar"));
    if (!splitter || !places || splitter->count() != 2) return;
    const int wanted = places->sizeHintForColumn(0) + 2 * places->frameWidth() + 8;
    const QList<int> sizes = splitter->sizes();
    const int total = sizes[0] + sizes[1];
    if (sizes[0] >= wanted || total <= 2 * wanted) return;
    splitter->setSizes({wanted, total - wanted});
  }
};

}  // namespace

void ShowDetailsInJapanese(QFileDialog* dialog) {
  dialog->setProxyModel(new JapaneseDetails(dialog));
  FitDetailColumns(dialog);
  dialog->installEventFilter(new SidebarFitter(dialog));
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
