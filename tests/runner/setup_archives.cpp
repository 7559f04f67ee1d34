#include "setup_archives.h"

#include <archive.h>
#include <archive_entry.h>

namespace tobrinplay::testing {

bool WriteArchive(const std::filesystem::path& path, const std::string& kind,
                  const std::vector<ArchiveEntry>& entries) {
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
    archive_entry_set_pathname(entry, e.name.c_str());
    const bool folder = e.name.ends_with('/');
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

}  // namespace tobrinplay::testing
