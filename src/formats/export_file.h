// Reading the instrument's export files: the four read kinds, field by field, with the
// white-space behaviour of the instrument software's formatted reads.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace korvanta {

// A file that cannot be read at all, or a field or count beyond what its output can hold. For
// the user.
class ExportFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The longest field a reading takes, set by what the fields go into: a longer one is refused
// with "FILE, line N: FIELD is longer than the 32,767 characters a cell can hold."
struct FieldLimit {
  std::size_t characters = 0;
  std::string_view holder;  // "a cell"
};

template <typename T>
struct ScannedNumber;

using WarningSink = std::function<void(const std::string&)>;
// Told of each field a read takes: its name and the line its value stands on.
using FieldSink = std::function<void(std::string_view field, int line)>;

class ExportFile {
 public:
  // The whole file as bytes; "Can not open export file: PATH" when it cannot be read.
  static std::string ReadBytes(const std::filesystem::path& path);

  // Reads from the start of `bytes`. Line ends CR LF, LF and CR alike; text that is not
  // valid UTF-8 is taken as Windows-1252 and converted; characters a workbook cannot hold
  // are dropped. `name` names the file in messages. Without `field_limit`, fields of any
  // length are taken.
  ExportFile(std::string_view bytes, std::string name, WarningSink warn = {},
             std::optional<FieldLimit> field_limit = std::nullopt);

  // Integer line: skips white space, reads an optionally signed decimal integer, then
  // swallows all following white space, blank lines included.
  std::int32_t ReadInteger(std::string_view field);
  // Token: skips white space, reads up to the next white space, swallows what follows.
  std::string ReadToken(std::string_view field);
  // Floating line: skips white space, reads a decimal number, swallows what follows.
  float ReadFloat(std::string_view field);
  // Whole line: everything up to the line end, taken as it stands; nothing skipped before.
  std::string ReadLine(std::string_view field);

  // A count read from the file, checked: negative counts become zero (with a warning), a
  // count above `limit` is refused with an ExportFileError naming the field and line.
  int ReadCount(std::string_view field, int limit);

  // Reads from now on tell `sink` where each field stands (reads past the end tell nothing),
  // so that a reader of the file can name the line of any field the format holds.
  void SetFieldSink(FieldSink sink) { field_sink_ = std::move(sink); }

  bool AtEnd() const;
  int LineNumber() const;  // 1-based line of the next read
  // True once a read found the file already at its end.
  bool EndedEarly() const { return ended_early_; }
  const std::string& Name() const { return name_; }

 private:
  // Where every read starts: notes the line of the value; at the end of the file notes the
  // early end and gives false, otherwise tells the field sink and gives true.
  bool StartValue(std::string_view field);
  void NoteEarlyEnd(std::string_view field);
  // An integer or floating line, as `scan` reads the number.
  template <typename Number>
  Number ReadNumber(std::string_view field, ScannedNumber<Number> (*scan)(std::string_view));
  void SkipWhiteSpace();
  std::string_view TakeToken();
  // The field without characters a workbook cannot hold; refused when over the field limit.
  std::string CheckedField(std::string_view raw, std::string_view field, int line);
  std::string Where(int line) const;  // "NAME, line N"
  void Warn(const std::string& text) const;

  std::string text_;  // UTF-8, line ends normalised to LF
  std::size_t pos_ = 0;
  int line_ = 1;
  int value_line_ = 1;  // line of the value the last read took
  std::string name_;
  WarningSink warn_;
  std::optional<FieldLimit> field_limit_;
  FieldSink field_sink_;
  bool ended_early_ = false;
};

// Leading-number conversions: "3abc" -> 3, "abc" -> 0; blanks skipped, optional sign.
std::int32_t TextToInteger(std::string_view text);
float TextToFloat(std::string_view text);

}  // namespace korvanta
