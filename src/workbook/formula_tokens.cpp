#include "workbook/formula_tokens.h"

#include <array>

namespace korvanta::workbook {
namespace {

using Scope = FormulaReference::Scope;

constexpr std::array<std::string_view, 15> kErrorValues = {
    "#NULL!", "#DIV/0!",   "#VALUE!",   "#REF!",     "#NAME?",
    "#NUM!",  "#N/A",      "#SPILL!",   "#CALC!",    "#FIELD!",
    "#BUSY!", "#BLOCKED!", "#UNKNOWN!", "#CONNECT!", "#GETTING_DATA"};

// Characters of names, numbers and A1 references; bytes of non-ASCII letters included.
bool IsWordChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '.' || c == '\\' || c == '?' || c == '$' || u >= 0x80;
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

class Scanner {
 public:
  explicit Scanner(std::string_view formula) : s_(formula) {}

  std::vector<FormulaToken> Run() {
    std::size_t i = 0;
    while (i < s_.size()) i = Step(i);
    FlushText(s_.size());
    return std::move(tokens_);
  }

 private:
  struct ParsedArea {
    AreaRef area;
    std::size_t end;
  };

  // Handles the token starting at `i` and returns where the next one starts.
  std::size_t Step(std::size_t i) {
    switch (s_[i]) {
      case '"':
        return QuotedEnd(i);
      case '\'':
        return QuotedPrefix(i);
      case '[':
        return BracketPrefix(i);
      case '#':
        return i + ErrorValueLength(i);
      default:
        return IsWordChar(s_[i]) ? Word(i) : i + 1;
    }
  }

  // 'Sheet name'!ref; a sheet range or a workbook inside the quotes makes it foreign.
  std::size_t QuotedPrefix(std::size_t i) {
    const std::size_t close = QuotedEnd(i);
    if (close >= s_.size() || s_[close] != '!') return close;
    const std::string_view quoted = s_.substr(i + 1, close - i - 2);
    const bool foreign = quoted.find_first_of(":[") != std::string_view::npos;
    return Qualified(i, close + 1, Unquote(quoted), foreign ? Scope::kForeign : Scope::kSheet);
  }

  // [1]Sheet1!ref names another workbook; any other bracket group is a table reference.
  std::size_t BracketPrefix(std::size_t i) {
    const std::size_t close = BracketEnd(i);
    const std::size_t name_end = WordEnd(close);
    if (name_end < s_.size() && s_[name_end] == '!') {
      return Qualified(i, name_end + 1, std::string(s_.substr(close, name_end - close)),
                       Scope::kForeign);
    }
    return close;
  }

  std::size_t Word(std::size_t i) {
    const std::size_t end = WordEnd(i);
    if (end < s_.size()) {
      if (s_[end] == '!') {
        return Qualified(i, end + 1, std::string(s_.substr(i, end - i)), Scope::kSheet);
      }
      if (s_[end] == ':') {
        const std::size_t second_end = WordEnd(end + 1);
        if (second_end > end + 1 && second_end < s_.size() && s_[second_end] == '!') {
          return Qualified(i, second_end + 1, std::string(s_.substr(i, second_end - i)),
                           Scope::kForeign);
        }
      }
      if (s_[end] == '[') return BracketEnd(end);  // Table1[Column]
    }
    if (const auto parsed = AreaAt(i)) {
      Emit(i, parsed->end, FormulaReference{Scope::kUnqualified, {}, {}, parsed->area});
      return parsed->end;
    }
    return end;
  }

  // A reference after the prefix s_[begin, ref_begin); a prefix with no reference after it
  // (Sheet1!#REF!, Sheet1!Name) stays text.
  std::size_t Qualified(std::size_t begin, std::size_t ref_begin, std::string sheet, Scope scope) {
    const auto parsed = AreaAt(ref_begin);
    if (!parsed) return ref_begin;
    Emit(begin, parsed->end,
         FormulaReference{scope, s_.substr(begin, ref_begin - begin), std::move(sheet),
                          parsed->area});
    return parsed->end;
  }

  // "A1", "$A$1:B2", "A:C" or "5:7" starting at `i`. A name followed by '(' is a function,
  // by '[' a table and by '!' a sheet, so none of them is a cell.
  std::optional<ParsedArea> AreaAt(std::size_t i) const {
    const std::size_t first_end = WordEnd(i);
    if (first_end == i || EndsInName(first_end)) return std::nullopt;
    if (first_end < s_.size() && s_[first_end] == ':') {
      const std::size_t second_end = WordEnd(first_end + 1);
      if (second_end > first_end + 1 && !EndsInName(second_end)) {
        const auto area = ParseAreaRef(s_.substr(i, second_end - i));
        if (area && area->kind != AreaRef::Kind::kCell) return ParsedArea{*area, second_end};
      }
    }
    const auto cell = ParseAreaRef(s_.substr(i, first_end - i));
    if (cell && cell->kind == AreaRef::Kind::kCell) return ParsedArea{*cell, first_end};
    return std::nullopt;
  }

  bool EndsInName(std::size_t word_end) const {
    return word_end < s_.size() &&
           (s_[word_end] == '(' || s_[word_end] == '[' || s_[word_end] == '!');
  }

  std::size_t WordEnd(std::size_t i) const {
    while (i < s_.size() && IsWordChar(s_[i])) ++i;
    return i;
  }

  // Past the closing quote of a "..." or '...' literal whose quote doubles inside it.
  std::size_t QuotedEnd(std::size_t i) const {
    const char quote = s_[i];
    for (std::size_t j = i + 1; j < s_.size(); ++j) {
      if (s_[j] != quote) continue;
      if (j + 1 < s_.size() && s_[j + 1] == quote) {
        ++j;
      } else {
        return j + 1;
      }
    }
    return s_.size();
  }

  // Past the matching ']' of nested brackets; a "'" escapes the character after it.
  std::size_t BracketEnd(std::size_t i) const {
    const std::size_t close = ClosingBracket(s_, i);
    return close == std::string_view::npos ? s_.size() : close + 1;
  }

  std::size_t ErrorValueLength(std::size_t i) const {
    for (const std::string_view error : kErrorValues) {
      if (s_.size() - i < error.size()) continue;
      bool match = true;
      for (std::size_t k = 0; k < error.size() && match; ++k) {
        match = AsciiUpper(s_[i + k]) == error[k];
      }
      if (match) return error.size();
    }
    return 1;
  }

  static std::string Unquote(std::string_view quoted) {
    std::string name;
    for (std::size_t k = 0; k < quoted.size(); ++k) {
      name.push_back(quoted[k]);
      if (quoted[k] == '\'' && k + 1 < quoted.size() && quoted[k + 1] == '\'') ++k;
    }
    return name;
  }

  void FlushText(std::size_t upto) {
    if (upto > text_begin_) tokens_.push_back({s_.substr(text_begin_, upto - text_begin_), {}});
    text_begin_ = upto;
  }

  void Emit(std::size_t begin, std::size_t end, FormulaReference reference) {
    FlushText(begin);
    tokens_.push_back({s_.substr(begin, end - begin), std::move(reference)});
    text_begin_ = end;
  }

  std::string_view s_;
  std::vector<FormulaToken> tokens_;
  std::size_t text_begin_ = 0;
};

}  // namespace

std::vector<FormulaToken> TokenizeFormula(std::string_view formula) {
  return Scanner(formula).Run();
}

std::size_t ClosingBracket(std::string_view text, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < text.size(); ++i) {
    if (text[i] == '\'') {
      ++i;
    } else if (text[i] == '[') {
      ++depth;
    } else if (text[i] == ']' && --depth == 0) {
      return i;
    }
  }
  return std::string_view::npos;
}

}  // namespace korvanta::workbook
