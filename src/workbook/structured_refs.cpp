// Renaming a table column in structured references. A column specifier is written
// "[Name]" inside the table's brackets, or bare after "T[" or "[@" when the name has no
// special characters; the characters [ ] # ' are escaped with a leading '. The renamed
// specifier is always written in brackets ("T[[WL1 (260 nm)]]", "[@[WL1 (260 nm)]]"), which
// Excel reads for any name.
#include "workbook/structured_refs.h"

#include <cctype>

#include "workbook/formula_tokens.h"
#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

bool IsNameByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return std::isalnum(byte) || c == '_' || c == '.' || c == '\\' || byte >= 0x80;
}

std::string Unescaped(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\'' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

std::string Escaped(std::string_view name) {
  std::string out;
  for (const char c : name) {
    if (c == '[' || c == ']' || c == '#' || c == '\'') out += '\'';
    out += c;
  }
  return out;
}

struct Renaming {
  std::string_view old_name;
  std::string replacement;  // "[escaped new name]"

  bool Names(std::string_view specifier) const {
    return !specifier.starts_with('#') && EqualsIgnoreCase(Unescaped(specifier), old_name);
  }

  // The content of a table's brackets with the column renamed.
  std::string Content(std::string_view content) const {
    if (content.find('[') == std::string_view::npos) {
      const bool this_row = content.starts_with('@');
      if (!Names(content.substr(this_row ? 1 : 0))) return std::string(content);
      return (this_row ? "@" : "") + replacement;
    }
    std::string out;
    std::size_t i = 0;
    while (i < content.size()) {
      if (content[i] == '\'') {
        out.append(content.substr(i, 2));
        i += 2;
        continue;
      }
      if (content[i] != '[') {
        out += content[i++];
        continue;
      }
      const std::size_t close = ClosingBracket(content, i);
      if (close == std::string_view::npos) {
        out.append(content.substr(i));
        break;
      }
      const std::string_view inner = content.substr(i + 1, close - i - 1);
      out += Names(inner) ? replacement : "[" + std::string(inner) + "]";
      i = close + 1;
    }
    return out;
  }
};

}  // namespace

std::string RenameTableColumnInFormula(std::string_view formula, std::string_view table,
                                       std::string_view old_name, std::string_view new_name,
                                       bool inside_table) {
  if (formula.find('[') == std::string_view::npos) return std::string(formula);
  const Renaming renaming{old_name, "[" + Escaped(new_name) + "]"};
  std::string out;
  std::size_t i = 0;
  while (i < formula.size()) {
    const char c = formula[i];
    if (c == '"') {  // a string literal, "" inside it being one quote
      std::size_t end = i + 1;
      while (end < formula.size()) {
        if (formula[end] != '"') {
          ++end;
        } else if (end + 1 < formula.size() && formula[end + 1] == '"') {
          end += 2;
        } else {
          break;
        }
      }
      out.append(formula.substr(i, end + 1 - i));
      i = end + 1;
      continue;
    }
    if (c != '[') {
      out += c;
      ++i;
      continue;
    }
    const std::size_t close = ClosingBracket(formula, i);
    if (close == std::string_view::npos) {
      out.append(formula.substr(i));
      break;
    }
    std::size_t qualifier = i;
    while (qualifier > 0 && IsNameByte(formula[qualifier - 1])) --qualifier;
    const std::string_view name = formula.substr(qualifier, i - qualifier);
    // "[1]Sheet1!A1" names another workbook, not a column.
    std::size_t after = close + 1;
    while (after < formula.size() && IsNameByte(formula[after])) ++after;
    const bool external = after < formula.size() && formula[after] == '!';
    const bool ours = name.empty() ? inside_table && !external : EqualsIgnoreCase(name, table);
    const std::string_view content = formula.substr(i + 1, close - i - 1);
    out += '[';
    out += ours ? renaming.Content(content) : std::string(content);
    out += ']';
    i = close + 1;
  }
  return out;
}

}  // namespace korvanta::workbook
