#include "office_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <pugixml.hpp>
#include <set>

#include "support/files.h"
#include "support/paths.h"
#include "workbook/opc.h"
#include "workbook_fixtures.h"

namespace korvanta::workbook::testing {
namespace {

struct PipeClose {
  void operator()(FILE* pipe) const { pclose(pipe); }
};

// The command's standard output and its exit status.
std::pair<std::string, int> Run(const std::string& command) {
  std::string out;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return {"", -1};
  std::array<char, 4096> buffer{};
  std::size_t read = 0;
  while ((read = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), read);
  const int status = pclose(pipe);
  return {out, status};
}

std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

const std::filesystem::path kValidator =
    std::filesystem::path(KORVANTA_OOXML_DIR) / "validate-part.py";

}  // namespace

void ExpectWholePackage(std::string_view zip) {
  const auto entries = ZipEntries(zip);
  std::set<std::string> parts;
  for (const auto& [name, content] : entries) parts.insert(Lower(name));
  std::set<std::string> overrides;
  std::set<std::string> defaults;
  pugi::xml_document types;
  const std::string types_xml = ZipEntry(zip, "[Content_Types].xml");
  ASSERT_TRUE(types.load_buffer(types_xml.data(), types_xml.size())) << "[Content_Types].xml";
  for (pugi::xml_node node : types.document_element().children()) {
    const std::string_view kind = node.name();
    if (kind == "Override") overrides.insert(Lower(node.attribute("PartName").value()));
    if (kind == "Default") defaults.insert(Lower(node.attribute("Extension").value()));
  }
  for (const auto& [name, content] : entries) {
    if (name.ends_with('/') || name == "[Content_Types].xml") continue;
    const std::string extension = Lower(name.substr(name.rfind('.') + 1));
    EXPECT_TRUE(overrides.contains("/" + Lower(name)) ||
                (name.find('.') != std::string::npos && defaults.contains(extension)))
        << "the part " << name << " has no content type";
    if (!name.ends_with(".rels")) continue;
    pugi::xml_document rels;
    EXPECT_TRUE(rels.load_buffer(content.data(), content.size())) << name;
    for (pugi::xml_node relationship : rels.document_element().children("Relationship")) {
      if (std::string_view(relationship.attribute("TargetMode").value()) == "External") continue;
      const std::string_view target = relationship.attribute("Target").value();
      // "xl/worksheets/_rels/sheet1.xml.rels" holds the relationships of
      // "xl/worksheets/sheet1.xml".
      const std::size_t folder_end = name.rfind("_rels/");
      const std::string source =
          name.substr(0, folder_end) + name.substr(folder_end + 6, name.size() - folder_end - 11);
      EXPECT_TRUE(parts.contains(Lower(ResolveTarget(source, target.substr(0, target.find('#'))))))
          << name << ": the relationship " << relationship.attribute("Id").value()
          << " points to the missing part " << target;
    }
  }
}

std::vector<std::string> SchemaErrors(std::string_view zip, std::string_view part) {
  const test::TempDir dir;
  const auto path = dir / "part.xlsx";
  test::WriteFile(path, zip);
  const auto [out, status] = Run(std::string(KORVANTA_PYTHON) + " " + Quoted(kValidator) + " " +
                                 Quoted(path.string() + ":" + std::string(part)));
  std::vector<std::string> errors;
  std::size_t start = 0;
  while (start < out.size()) {
    const std::size_t end = std::min(out.find('\n', start), out.size());
    const std::string line = out.substr(start, end - start);
    if (line.starts_with("  ")) errors.push_back(line.substr(2));
    start = end + 1;
  }
  return errors;
}

void ExpectNoNewSchemaErrors(std::string_view template_zip, std::string_view saved,
                             std::string_view part) {
  if (!std::filesystem::exists(kValidator)) {
    std::fprintf(stderr, "note: %s is missing; schemas not checked\n", kValidator.c_str());
    return;
  }
  const std::vector<std::string> before = SchemaErrors(template_zip, part);
  for (const std::string& error : SchemaErrors(saved, part)) {
    EXPECT_NE(std::find(before.begin(), before.end(), error), before.end())
        << part << ": " << error;
  }
}

void ExpectOfficeOpens(const std::vector<std::pair<std::string, std::string>>& named_packages) {
  const test::TempDir dir;
  std::string names;
  for (const auto& [name, zip] : named_packages) {
    test::WriteFile(dir / name, zip);
    names += " " + Quoted(dir / name);
  }
  const auto [loaded, status] =
      Run(std::string(KORVANTA_PYTHON) +
          " -c 'import sys, openpyxl\nfor p in sys.argv[1:]: openpyxl.load_workbook(p)'" + names);
  EXPECT_EQ(status, 0) << "openpyxl: " << loaded;
  if (Run("command -v soffice").second != 0) {
    std::fprintf(stderr, "note: soffice is missing; LibreOffice not checked\n");
    return;
  }
  const auto out = dir / "csv";
  const auto [converted, converted_status] =
      Run("soffice -env:UserInstallation=file://" + (dir / "profile").string() +
          " --headless --convert-to csv --outdir " + Quoted(out) + names);
  for (const auto& [name, zip] : named_packages) {
    EXPECT_TRUE(
        std::filesystem::exists(out / std::filesystem::path(name).replace_extension(".csv")))
        << "LibreOffice did not open " << name << ": " << converted;
  }
}

std::string CheckedOutputs::Save(const Workbook& book, std::string_view template_zip,
                                 std::initializer_list<std::string_view> edited_parts) {
  std::string saved = book.SaveToMemory();
  ExpectWholePackage(saved);
  for (const std::string_view part : edited_parts) {
    ExpectNoNewSchemaErrors(template_zip, saved, part);
  }
  saved_.emplace_back(stem_ + "_" + std::to_string(saved_.size()) + ".xlsx", saved);
  return saved;
}

}  // namespace korvanta::workbook::testing
