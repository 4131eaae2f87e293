// Whether an XML part declares a document type. Parts of a package may not: a declaration can
// define entities that expand without bound or that a parser leaves unexpanded as text.
#pragma once

#include <string_view>

namespace korvanta::workbook {

// True when the text's prolog holds <!DOCTYPE. Reads UTF-8 and UTF-16 (with or without a byte
// order mark); bytes that start no XML prolog declare nothing.
bool DeclaresDocumentType(std::string_view bytes);

}  // namespace korvanta::workbook
