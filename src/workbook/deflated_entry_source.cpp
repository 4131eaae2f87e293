#include "workbook/deflated_entry_source.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace korvanta::workbook {
namespace {

struct Reader {
  const DeflatedEntry* entry = nullptr;
  std::size_t offset = 0;
  zip_error_t error{};
};

zip_int64_t Callback(void* user_data, void* data, zip_uint64_t length, zip_source_cmd_t command) {
  auto* reader = static_cast<Reader*>(user_data);
  switch (command) {
    case ZIP_SOURCE_OPEN:
      reader->offset = 0;
      return 0;
    case ZIP_SOURCE_READ: {
      const std::size_t left = reader->entry->bytes.size() - reader->offset;
      const std::size_t count = static_cast<std::size_t>(std::min<zip_uint64_t>(length, left));
      std::memcpy(data, reader->entry->bytes.data() + reader->offset, count);
      reader->offset += count;
      return static_cast<zip_int64_t>(count);
    }
    case ZIP_SOURCE_CLOSE:
      return 0;
    case ZIP_SOURCE_STAT: {
      // Stating the data as deflated, with its sizes and checksum, is what tells libzip to
      // copy it rather than compress it.
      auto* stat = static_cast<zip_stat_t*>(data);
      zip_stat_init(stat);
      stat->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC |
                    ZIP_STAT_ENCRYPTION_METHOD;
      stat->size = reader->entry->size;
      stat->comp_size = reader->entry->bytes.size();
      stat->comp_method = ZIP_CM_DEFLATE;
      stat->encryption_method = ZIP_EM_NONE;
      stat->crc = reader->entry->crc;
      return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
      return zip_error_to_data(&reader->error, data, length);
    case ZIP_SOURCE_FREE:
      zip_error_fini(&reader->error);
      delete reader;
      return 0;
    case ZIP_SOURCE_SUPPORTS:
      return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                            ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
      zip_error_set(&reader->error, ZIP_ER_OPNOTSUPP, 0);
      return -1;
  }
}

}  // namespace

zip_source_t* DeflatedEntrySource(zip_t* archive, const DeflatedEntry& entry) {
  auto reader = std::make_unique<Reader>();
  reader->entry = &entry;
  zip_error_init(&reader->error);
  zip_source_t* source = zip_source_function(archive, Callback, reader.get());
  if (source) reader.release();  // freed by the source's ZIP_SOURCE_FREE
  return source;
}

}  // namespace korvanta::workbook
