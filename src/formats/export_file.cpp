#include "formats/export_file.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "formats/export_text.h"
#include "formats/number_scan.h"

namespace korvanta {
namespace {

// Larger files are no export of this instrument; reading them whole would only exhaust memory.
constexpr std::uintmax_t kMaxExportFileBytes = 512ULL * 1024 * 1024;

// 32767 -> "32,767"
std::string WithThousandsSeparators(std::size_t number) {
  std::string digits = std::to_string(number);
  for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
  return digits;
}

}  // namespace

std::string ExportFile::ReadBytes(const std::filesystem::path& path) {
  const std::string cannot_open = "Can not open export file: " + path.string();
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) throw ExportFileError(cannot_open);
  const auto size = std::filesystem::file_size(path, error);
  if (error) throw ExportFileError(cannot_open);
  if (size > kMaxExportFileBytes) {
    throw ExportFileError("The export file is too large to be an export of the instrument: " +
                          path.string());
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ExportFileError(cannot_open);
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(size));
  try {
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } catch (const std::ios_base::failure&) {
    // A read error (a failing disk, a device file) surfaces as an exception of the stream.
    throw ExportFileError(cannot_open);
  }
  if (in.bad()) throw ExportFileError(cannot_open);
  return bytes;
}

ExportFile::ExportFile(std::string_view bytes, std::string name, WarningSink warn,
                       std::optional<FieldLimit> field_limit)
    : text_(DecodeExportText(bytes)),
      name_(std::move(name)),
      warn_(std::move(warn)),
      field_limit_(field_limit) {}

bool ExportFile::AtEnd() const { return pos_ >= text_.size(); }

int ExportFile::LineNumber() const { return line_; }

void ExportFile::SkipWhiteSpace() {
  while (pos_ < text_.size() && IsWhiteSpace(text_[pos_])) {
    if (text_[pos_] == '\n') ++line_;
    ++pos_;
  }
}

std::string ExportFile::Where(int line) const { return name_ + ", line " + std::to_string(line); }

void ExportFile::Warn(const std::string& text) const {
  if (warn_) warn_(text);
}

bool ExportFile::StartValue(std::string_view field) {
  value_line_ = line_;
  if (AtEnd()) {
    NoteEarlyEnd(field);
    return false;
  }
  if (field_sink_) field_sink_(field, value_line_);
  return true;
}

void ExportFile::NoteEarlyEnd(std::string_view field) {
  if (ended_early_) return;
  ended_early_ = true;
  // The missing field would stand on the line after a last line without a line end.
  const bool open_last_line = !text_.empty() && text_.back() != '\n';
  const int line = line_ + (open_last_line ? 1 : 0);
  Warn(name_ + " ends early: " + std::string(field) + " (line " + std::to_string(line) +
       ") and everything after it are missing; their cells are left empty.");
}

std::string ExportFile::CheckedField(std::string_view raw, std::string_view field, int line) {
  std::string text = DropUnholdableCharacters(raw);
  if (field_limit_ && CountCharacters(text) > field_limit_->characters) {
    throw ExportFileError(Where(line) + ": " + std::string(field) + " is longer than the " +
                          WithThousandsSeparators(field_limit_->characters) + " characters " +
                          std::string(field_limit_->holder) + " can hold.");
  }
  return text;
}

std::string_view ExportFile::TakeToken() {
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !IsWhiteSpace(text_[pos_])) ++pos_;
  return std::string_view(text_).substr(start, pos_ - start);
}

template <typename Number>
Number ExportFile::ReadNumber(std::string_view field,
                              ScannedNumber<Number> (*scan)(std::string_view)) {
  SkipWhiteSpace();
  if (!StartValue(field)) return Number{};
  const ScannedNumber<Number> scanned = scan(std::string_view(text_).substr(pos_));
  if (scanned.length == 0) {
    // The text is passed over so that the fields after it are read from where they stand.
    const auto token = TakeToken();
    Warn(Where(value_line_) + ": " + std::string(field) + " is not a number (" +
         QuotedExcerpt(token) + "); 0 is used.");
  } else {
    pos_ += scanned.length;
  }
  SkipWhiteSpace();
  return scanned.value;
}

std::int32_t ExportFile::ReadInteger(std::string_view field) {
  return ReadNumber(field, ScanInteger);
}

float ExportFile::ReadFloat(std::string_view field) { return ReadNumber(field, ScanFloat); }

std::string ExportFile::ReadToken(std::string_view field) {
  SkipWhiteSpace();
  if (!StartValue(field)) return {};
  const auto token = TakeToken();
  std::string text = CheckedField(token, field, value_line_);
  SkipWhiteSpace();
  return text;
}

std::string ExportFile::ReadLine(std::string_view field) {
  if (!StartValue(field)) return {};
  auto end = text_.find('\n', pos_);
  if (end == std::string::npos) end = text_.size();
  const auto raw = std::string_view(text_).substr(pos_, end - pos_);
  std::string text = CheckedField(raw, field, value_line_);
  pos_ = end;
  if (pos_ < text_.size()) {
    ++pos_;  // the line feed is consumed, not stored
    ++line_;
  }
  return text;
}

int ExportFile::ReadCount(std::string_view field, int limit) {
  const std::int32_t count = ReadInteger(field);
  if (count < 0) {
    Warn(Where(value_line_) + ": " + std::string(field) + " is negative (" + std::to_string(count) +
         "); 0 is used.");
    return 0;
  }
  if (count > limit) {
    throw ExportFileError(Where(value_line_) + ": " + std::string(field) + " is " +
                          std::to_string(count) + ", more than a report can hold (at most " +
                          std::to_string(limit) + ").");
  }
  return count;
}

}  // namespace korvanta
