// The zip package of a workbook: every part kept as read, the parts being edited held as XML
// documents, and a new package written from them. Hostile archives are refused.
#pragma once

#include <cstddef>
#include <ctime>
#include <map>
#include <memory>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "workbook/deflated_entry_source.h"

namespace korvanta::workbook {

struct PackageLimits {
  std::size_t max_entry_bytes = std::size_t{256} << 20;
  std::size_t max_total_bytes = std::size_t{512} << 20;
  std::size_t max_entries = 100000;
};

class Package {
 public:
  // Part names are written without a leading slash ("xl/workbook.xml") and compared without
  // regard to case, as the package format asks.
  static Package FromZip(std::string_view zip_bytes, std::string display_name,
                         const PackageLimits& limits = {});

  const std::string& DisplayName() const { return display_name_; }

  bool Contains(std::string_view name) const;
  std::vector<std::string> PartNames() const;  // in package order
  // The part's content as it stands now (an edited XML part is serialised).
  std::string Read(std::string_view name) const;
  // Adds the part, or replaces its content (a parsed document of it is dropped).
  void Write(std::string_view name, std::string content);
  void Remove(std::string_view name);
  // The part parsed for reading only: what is saved stays its bytes as read.
  const pugi::xml_document& ParsedXml(std::string_view name);
  // The part parsed for editing. It is saved from this document once its serialisation
  // differs from the document as parsed; until then its bytes as read are kept.
  pugi::xml_document& Xml(std::string_view name);
  bool IsEdited(std::string_view name) const;

  // Parts whose content the caller produces itself at save time.
  using GeneratedParts = std::map<std::string, std::string, std::less<>>;
  std::string ToZip(std::optional<std::time_t> entry_time, const GeneratedParts& generated) const;

 private:
  struct Part {
    std::string name;
    std::string bytes;
    std::unique_ptr<pugi::xml_document> xml;
    bool edited = false;    // opened with Xml(): `xml` counts where it changed
    std::string as_parsed;  // `xml` serialised when it was opened for editing
    bool removed = false;
    std::optional<DeflatedEntry> deflated;  // as read, while `bytes` are unchanged
  };
  // The edited part's new content; nothing when the edits left it as it was.
  static std::optional<std::string> ChangedContent(const Part& part);
  Part& Parsed(std::string_view name);
  Part* Find(std::string_view name);
  const Part* Find(std::string_view name) const;

  std::string display_name_;
  std::vector<Part> parts_;
  std::unordered_map<std::string, std::size_t> index_;  // lower-case name -> parts_ position
};

// "/xl/worksheets/sheet1.xml" and "xl/worksheets/sheet1.xml" name the same part.
std::string PartNameWithoutSlash(std::string_view name);

}  // namespace korvanta::workbook
