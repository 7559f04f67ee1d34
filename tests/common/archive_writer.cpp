#include "archive_writer.h"

#include <archive.h>
#include <archive_entry.h>
#include <locale.h>

namespace tobrin_test {

namespace {

// libarchive converts names through the thread's locale: UTF-8 here, so
// that Japanese names survive whatever the process locale is.
class Utf8Locale {
 public:
  Utf8Locale() : locale_(newlocale(LC_ALL_MASK, "C.UTF-8", nullptr)) {
    if (locale_) saved_ = uselocale(locale_);
  }
  ~Utf8Locale() {
    if (locale_) {
      uselocale(saved_);
      freelocale(locale_);
    }
  }
  Utf8Locale(const Utf8Locale&) = delete;
  Utf8Locale& operator=(const Utf8Locale&) = delete;

 private:
  locale_t locale_;
  locale_t saved_ = nullptr;
};

}  // namespace

bool WriteArchive(const std::filesystem::path& path, const std::string& kind,
                  const std::vector<ArchiveEntry>& entries) {
  Utf8Locale utf8;
  struct archive* a = archive_write_new();
  if (kind == "zip") {
    archive_write_set_format_zip(a);
  } else {
    archive_write_set_format_pax_restricted(a);
    archive_write_add_filter_gzip(a);
  }
  bool ok = archive_write_open_filename(a, path.c_str()) == ARCHIVE_OK;
  for (const ArchiveEntry& e : entries) {
    if (!ok) break;
    struct archive_entry* entry = archive_entry_new();
    archive_entry_set_pathname_utf8(entry, e.name.c_str());
    const bool folder = !e.name.empty() && e.name.back() == '/';
    archive_entry_set_filetype(entry, folder ? AE_IFDIR : AE_IFREG);
    archive_entry_set_perm(entry, folder ? 0755 : 0644);
    archive_entry_set_size(entry, folder ? 0 : static_cast<la_int64_t>(e.content.size()));
    archive_entry_set_mtime(entry, 1700000000, 0);
    ok = archive_write_header(a, entry) == ARCHIVE_OK;
    if (ok && !folder) {
      ok = archive_write_data(a, e.content.data(), e.content.size()) ==
           static_cast<la_ssize_t>(e.content.size());
    }
    archive_entry_free(entry);
  }
  ok = archive_write_close(a) == ARCHIVE_OK && ok;
  archive_write_free(a);
  return ok;
}

}  // namespace tobrin_test
