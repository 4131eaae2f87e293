#include "workbook/package.h"

#include <zip.h>

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "workbook/compound_file.h"
#include "workbook/document_type.h"
#include "workbook/opc.h"
#include "workbook/workbook.h"
#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

[[noreturn]] void Refuse(std::string_view display_name, std::string_view reason) {
  throw UnopenableWorkbook(display_name, reason);
}

// Names that would escape the package folder or that no office application writes.
bool IsSafeEntryName(std::string_view name) {
  if (name.empty() || name.front() == '/' || name.find('\\') != std::string_view::npos) {
    return false;
  }
  const std::string_view first_segment = name.substr(0, name.find('/'));
  if (first_segment.find(':') != std::string_view::npos) return false;
  std::size_t start = 0;
  while (start <= name.size()) {
    const std::size_t end = std::min(name.find('/', start), name.size());
    const std::string_view segment = name.substr(start, end - start);
    if (segment == ".." || segment == ".") return false;
    start = end + 1;
  }
  return true;
}

// Free libzip's handles when the scope ends: an archive still open is discarded unwritten.
struct ArchiveCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct SourceFreer {
  void operator()(zip_source_t* source) const { zip_source_free(source); }
};
struct FileCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

std::string ZipErrorText(zip_error_t* error) {
  const char* text = zip_error_strerror(error);
  return text ? text : "unknown error";
}

struct DosTime {
  zip_uint16_t time = 0;
  zip_uint16_t date = 0;
};

// The entries' time stamp as the zip format stores it: a date and time of day in two-second
// steps, 1980 to 2107. A fixed time is stamped in UTC, so that equal input gives equal bytes in
// every time zone (B3 shows a fixed time in UTC too); the current time is local, as zip tools
// expect.
DosTime EntryDosTime(std::optional<std::time_t> fixed_time) {
  constexpr DosTime kEarliest{0, (1 << 5) | 1};  // 1980-01-01 00:00:00
  constexpr DosTime kLatest{(23 << 11) | (59 << 5) | 29, (127 << 9) | (12 << 5) | 31};
  std::tm parts{};
  const std::time_t when = fixed_time.value_or(std::time(nullptr));
#if defined(_WIN32)
  const bool converted = (fixed_time ? gmtime_s(&parts, &when) : localtime_s(&parts, &when)) == 0;
#else
  const bool converted =
      (fixed_time ? gmtime_r(&when, &parts) : localtime_r(&when, &parts)) != nullptr;
#endif
  const int year = parts.tm_year + 1900;
  if (!converted || year < 1980) return kEarliest;
  if (year > 2107) return kLatest;
  DosTime dos;
  dos.time =
      static_cast<zip_uint16_t>((parts.tm_hour << 11) | (parts.tm_min << 5) | (parts.tm_sec / 2));
  dos.date =
      static_cast<zip_uint16_t>(((year - 1980) << 9) | ((parts.tm_mon + 1) << 5) | parts.tm_mday);
  return dos;
}

// Exactly `size` bytes of entry `index` (as stored with ZIP_FL_COMPRESSED, else inflated and
// checked against its checksum); nothing when the entry holds fewer or more.
std::optional<std::string> ReadEntry(zip_t* archive, zip_uint64_t index, zip_flags_t flags,
                                     zip_uint64_t size) {
  std::unique_ptr<zip_file_t, FileCloser> file(zip_fopen_index(archive, index, flags));
  if (!file) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const zip_int64_t got = zip_fread(file.get(), bytes.data() + filled, bytes.size() - filled);
    if (got <= 0) return std::nullopt;
    filled += static_cast<std::size_t>(got);
  }
  char extra = 0;
  if (zip_fread(file.get(), &extra, 1) != 0) return std::nullopt;
  return bytes;
}

// The entry's deflate stream as stored, for copying it unchanged; nothing when the entry is
// stored some other way or can not be read raw (its content, read and checked, is kept anyway).
std::optional<DeflatedEntry> ReadDeflated(zip_t* archive, zip_uint64_t index,
                                          const zip_stat_t& stat, const PackageLimits& limits) {
  constexpr zip_uint64_t kNeeded = ZIP_STAT_COMP_METHOD | ZIP_STAT_COMP_SIZE | ZIP_STAT_CRC;
  if ((stat.valid & kNeeded) != kNeeded || stat.comp_method != ZIP_CM_DEFLATE ||
      stat.comp_size > limits.max_entry_bytes) {
    return std::nullopt;
  }
  std::optional<std::string> stored = ReadEntry(archive, index, ZIP_FL_COMPRESSED, stat.comp_size);
  if (!stored) return std::nullopt;
  return DeflatedEntry{std::move(*stored), stat.size, stat.crc};
}

}  // namespace

std::string PartNameWithoutSlash(std::string_view name) {
  while (!name.empty() && name.front() == '/') name.remove_prefix(1);
  return std::string(name);
}

Package Package::FromZip(std::string_view zip_bytes, std::string display_name,
                         const PackageLimits& limits) {
  if (const auto compound = RecogniseCompoundWorkbook(zip_bytes)) {
    Refuse(display_name, *compound == CompoundWorkbook::kPasswordProtected
                             ? "it is protected with a password; save it without a password."
                             : "it is an Excel 97-2003 workbook; save it as an Excel Workbook "
                               "(.xlsx).");
  }
  zip_error_t error;
  zip_error_init(&error);
  std::unique_ptr<zip_source_t, SourceFreer> source(
      zip_source_buffer_create(zip_bytes.data(), zip_bytes.size(), 0, &error));
  if (!source) {
    const std::string reason = ZipErrorText(&error);
    zip_error_fini(&error);
    Refuse(display_name, reason + ".");
  }
  // The central directory is what counts: local headers that other zip writers fill in their
  // own way (sizes beside the "sizes follow the data" flag) are not compared with it. Every
  // entry is still read to exactly its declared size and checked against its checksum.
  std::unique_ptr<zip_t, ArchiveCloser> archive(
      zip_open_from_source(source.get(), ZIP_RDONLY, &error));
  zip_error_fini(&error);
  if (!archive) Refuse(display_name, "it is not an .xlsx file (no readable zip package).");
  source.release();  // the archive owns it now

  const zip_int64_t entry_count = zip_get_num_entries(archive.get(), 0);
  if (entry_count < 0 || static_cast<std::size_t>(entry_count) > limits.max_entries) {
    Refuse(display_name, "it holds too many entries.");
  }

  Package package;
  package.display_name_ = std::move(display_name);
  std::size_t total = 0;
  for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(entry_count); ++i) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive.get(), i, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME) ||
        !(stat.valid & ZIP_STAT_SIZE)) {
      Refuse(package.display_name_, "an entry of its zip package can not be read.");
    }
    const std::string_view name = stat.name;
    if (!IsSafeEntryName(name)) {
      Refuse(package.display_name_,
             "it holds an entry with an unsafe name (\"" + XmlSafeText(name) + "\").");
    }
    if (name.back() == '/') continue;  // a folder entry, not a part
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE) {
      Refuse(package.display_name_, "it is encrypted.");
    }
    if (stat.size > limits.max_entry_bytes || stat.size > limits.max_total_bytes - total) {
      Refuse(package.display_name_, "it is too large (the part \"" + std::string(name) +
                                        "\" declares " + std::to_string(stat.size) + " bytes).");
    }
    total += static_cast<std::size_t>(stat.size);

    std::optional<std::string> bytes = ReadEntry(archive.get(), i, 0, stat.size);
    if (!bytes) {
      Refuse(package.display_name_, "the part \"" + std::string(name) + "\" is damaged.");
    }
    // Refused on opening, before any part is parsed or anything written.
    if (DeclaresDocumentType(*bytes)) throw DocumentTypeDeclared(package.display_name_, name);
    const std::string key = Lower(name);
    if (package.index_.contains(key)) {
      Refuse(package.display_name_, "the part \"" + std::string(name) + "\" appears twice.");
    }
    package.index_.emplace(key, package.parts_.size());
    package.parts_.push_back(Part{std::string(name),
                                  std::move(*bytes),
                                  nullptr,
                                  false,
                                  {},
                                  false,
                                  ReadDeflated(archive.get(), i, stat, limits)});
  }
  return package;
}

Package::Part* Package::Find(std::string_view name) {
  const auto found = index_.find(Lower(PartNameWithoutSlash(name)));
  return found == index_.end() ? nullptr : &parts_[found->second];
}

const Package::Part* Package::Find(std::string_view name) const {
  const auto found = index_.find(Lower(PartNameWithoutSlash(name)));
  return found == index_.end() ? nullptr : &parts_[found->second];
}

bool Package::Contains(std::string_view name) const { return Find(name) != nullptr; }

std::vector<std::string> Package::PartNames() const {
  std::vector<std::string> names;
  for (const Part& part : parts_) {
    if (!part.removed) names.push_back(part.name);
  }
  return names;
}

std::optional<std::string> Package::ChangedContent(const Part& part) {
  if (!part.edited) return std::nullopt;
  std::string serialised = SerializeXml(*part.xml);
  if (serialised == part.as_parsed) return std::nullopt;
  return serialised;
}

std::string Package::Read(std::string_view name) const {
  const Part* part = Find(name);
  if (!part) return {};
  std::optional<std::string> changed = ChangedContent(*part);
  return changed ? std::move(*changed) : part->bytes;
}

void Package::Write(std::string_view name, std::string content) {
  if (Part* part = Find(name)) {
    part->bytes = std::move(content);
    part->xml.reset();
    part->edited = false;
    part->as_parsed.clear();
    part->deflated.reset();
    return;
  }
  const std::string clean = PartNameWithoutSlash(name);
  index_.emplace(Lower(clean), parts_.size());
  parts_.push_back(Part{clean, std::move(content), nullptr, false, {}, false, std::nullopt});
}

void Package::Remove(std::string_view name) {
  const auto found = index_.find(Lower(PartNameWithoutSlash(name)));
  if (found == index_.end()) return;
  Part& part = parts_[found->second];
  part.removed = true;
  part.bytes.clear();
  part.xml.reset();
  part.as_parsed.clear();
  part.deflated.reset();
  index_.erase(found);
}

Package::Part& Package::Parsed(std::string_view name) {
  Part* part = Find(name);
  if (!part) {
    throw DamagedPart(display_name_, name, "is missing.");
  }
  if (!part->xml) {
    auto doc = std::make_unique<pugi::xml_document>();
    ParseXml(*doc, part->bytes, display_name_, part->name);
    part->xml = std::move(doc);
  }
  return *part;
}

const pugi::xml_document& Package::ParsedXml(std::string_view name) { return *Parsed(name).xml; }

pugi::xml_document& Package::Xml(std::string_view name) {
  Part& part = Parsed(name);
  // Edits often leave a part as it was (nothing in it refers to the moved cells); comparing
  // with this serialisation at save keeps such a part's bytes, line ends and spellings.
  if (!part.edited) {
    part.edited = true;
    part.as_parsed = SerializeXml(*part.xml);
  }
  return *part.xml;
}

bool Package::IsEdited(std::string_view name) const {
  const Part* part = Find(name);
  return part && part->edited;
}

std::string Package::ToZip(std::optional<std::time_t> entry_time,
                           const GeneratedParts& generated) const {
  const DosTime stamp = EntryDosTime(entry_time);
  // The content types part leads, as office applications write it.
  std::vector<const Part*> order;
  for (const Part& part : parts_) {
    if (!part.removed) order.push_back(&part);
  }
  std::stable_partition(order.begin(), order.end(),
                        [](const Part* part) { return part->name == kContentTypesPart; });

  // libzip reads the entries' bytes when the archive is closed, so they live until then.
  std::vector<std::string> serialised;
  serialised.reserve(order.size());

  const auto fail = [&](const std::string& reason) {
    return UnwritableWorkbook(display_name_, reason);
  };
  zip_error_t error;
  zip_error_init(&error);
  std::unique_ptr<zip_source_t, SourceFreer> output(
      zip_source_buffer_create(nullptr, 0, 0, &error));
  if (!output) {
    zip_error_fini(&error);
    throw fail("out of memory.");
  }
  // One reference for the archive, one kept here to read the package back.
  zip_source_keep(output.get());
  std::unique_ptr<zip_t, ArchiveCloser> archive(
      zip_open_from_source(output.get(), ZIP_TRUNCATE, &error));
  zip_error_fini(&error);
  if (!archive) {
    zip_source_free(output.get());  // the archive's reference, which it did not take
    throw fail("the zip package can not be created.");
  }

  for (const Part* part : order) {
    const std::string* content = &part->bytes;
    const auto found = std::find_if(generated.begin(), generated.end(), [&](const auto& entry) {
      return EqualsIgnoreCase(entry.first, part->name);
    });
    std::optional<std::string> changed;
    if (found != generated.end()) {
      content = &found->second;
    } else if ((changed = ChangedContent(*part))) {
      serialised.push_back(std::move(*changed));
      content = &serialised.back();
    }
    const bool unchanged = found == generated.end() && !changed && part->deflated;
    std::unique_ptr<zip_source_t, SourceFreer> data(
        unchanged ? DeflatedEntrySource(archive.get(), *part->deflated)
                  : zip_source_buffer(archive.get(), content->data(), content->size(), 0));
    if (!data) throw fail("out of memory.");
    const zip_int64_t index =
        zip_file_add(archive.get(), part->name.c_str(), data.get(), ZIP_FL_ENC_UTF_8);
    if (index < 0) throw fail("the part \"" + part->name + "\" can not be added.");
    data.release();  // the archive owns it now
    const auto entry = static_cast<zip_uint64_t>(index);
    if (zip_set_file_compression(archive.get(), entry, ZIP_CM_DEFLATE, 1) != 0 ||
        zip_file_set_dostime(archive.get(), entry, stamp.time, stamp.date, 0) != 0) {
      throw fail("the part \"" + part->name + "\" can not be added.");
    }
  }
  // A failed close leaves the archive open for the closer to discard.
  if (zip_close(archive.get()) != 0) throw fail("the zip package can not be completed.");
  archive.release();

  std::string bytes;
  if (zip_source_open(output.get()) != 0) throw fail("the zip package can not be read back.");
  zip_source_seek(output.get(), 0, SEEK_END);
  const zip_int64_t size = zip_source_tell(output.get());
  zip_source_seek(output.get(), 0, SEEK_SET);
  bool complete = true;
  if (size > 0) {
    bytes.resize(static_cast<std::size_t>(size));
    complete = zip_source_read(output.get(), bytes.data(), static_cast<zip_uint64_t>(size)) == size;
  }
  zip_source_close(output.get());
  if (!complete) throw fail("the zip package can not be read back.");
  return bytes;
}

}  // namespace korvanta::workbook
