#include "made_archives.h"

#include <archive.h>
#include <archive_entry.h>

namespace made_archives {

namespace {

std::string Make(bool zip) {
  std::string bytes(1 << 16, '\0');
  std::size_t used = 0;
  struct archive* writer = archive_write_new();
  if (zip) {
    archive_write_set_format_zip(writer);
  } else {
    archive_write_set_format_pax_restricted(writer);
    archive_write_add_filter_gzip(writer);
  }
  archive_write_open_memory(writer, bytes.data(), bytes.size(), &used);
  struct archive_entry* entry = archive_entry_new();
  const std::string text = "hello\n";
  archive_entry_set_pathname(entry, "hello.txt");
  archive_entry_set_filetype(entry, AE_IFREG);
  archive_entry_set_perm(entry, 0644);
  archive_entry_set_size(entry, static_cast<la_int64_t>(text.size()));
  archive_write_header(writer, entry);
  archive_write_data(writer, text.data(), text.size());
  archive_entry_free(entry);
  archive_write_close(writer);
  archive_write_free(writer);
  bytes.resize(used);
  return bytes;
}

}  // namespace

std::string Zip() { return Make(true); }
std::string TarGz() { return Make(false); }

}  // namespace made_archives
