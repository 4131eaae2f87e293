// Splits a formula as stored in a workbook (without '=') into its cell references and the text
// between them, so that references can be rewritten and everything else kept byte for byte.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/area_ref.h"

namespace korvanta::workbook {

struct FormulaReference {
  enum class Scope {
    kUnqualified,  // A1: the sheet holding the formula
    kSheet,        // Sheet1!A1, 'It''s'!A1
    kForeign,      // Sheet1:Sheet3!A1, [1]Sheet1!A1: a sheet range or another workbook
  };
  Scope scope = Scope::kUnqualified;
  std::string_view prefix;  // the qualification as written, up to and including '!'
  std::string sheet;        // the sheet name, unquoted; empty when unqualified
  AreaRef area;
};

struct FormulaToken {
  std::string_view text;  // exactly as written; the tokens of a formula concatenate to it
  std::optional<FormulaReference> reference;
};

// String literals, function and defined names, numbers, booleans, error values and table
// references come out as plain text; so do cell-like names beyond the sheet (XFE1, A1048577).
std::vector<FormulaToken> TokenizeFormula(std::string_view formula);

// The position of the ']' matching the '[' at `open`, brackets nesting and "'" escaping the
// character after it (as in table references); npos when it is never closed.
std::size_t ClosingBracket(std::string_view text, std::size_t open);

}  // namespace korvanta::workbook
