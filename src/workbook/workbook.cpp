// Opening a workbook package, finding its active sheet, and saving the edited package.
#include "workbook/workbook.h"

#include <fstream>
#include <sstream>

#include "workbook/atomic_file.h"
#include "workbook/opc.h"
#include "workbook/sheet_schema.h"
#include "workbook/sheet_shift.h"
#include "workbook/workbook_impl.h"
#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

// Larger files can only be hostile or not workbooks at all.
constexpr std::uintmax_t kMaxWorkbookFileBytes = std::uintmax_t{512} << 20;

[[noreturn]] void Unusable(const Package& package, const std::string& reason) {
  throw UnusableWorkbook(package.DisplayName(), reason);
}

std::string FindWorkbookPart(Package& package) {
  if (!package.Contains(kContentTypesPart)) {
    Unusable(package, "it is not an .xlsx workbook (no content types).");
  }
  std::string part;
  if (package.Contains("_rels/.rels")) part = FindRelatedPart(package, "", "officeDocument");
  if (part.empty() && package.Contains("xl/workbook.xml")) part = "xl/workbook.xml";
  if (part.empty() || !package.Contains(part)) Unusable(package, "it holds no workbook.");
  return part;
}

BookStructure ReadBookStructure(Package& package, const std::string& workbook_part) {
  BookStructure book;
  book.workbook_part = workbook_part;
  const pugi::xml_node root = package.ParsedXml(workbook_part).document_element();
  if (LocalName(root) != "workbook") Unusable(package, "its workbook part is no workbook.");
  const std::vector<Relationship> relationships = ReadRelationships(package, workbook_part);
  for (pugi::xml_node sheet : FirstChild(root, "sheets").children()) {
    if (LocalName(sheet) != "sheet") continue;
    SheetEntry entry;
    entry.name = sheet.attribute("name").value();
    const std::string_view id = FindAttribute(sheet, "id", true).value();
    for (const Relationship& relationship : relationships) {
      if (relationship.id == id && !relationship.external) {
        entry.part = relationship.target;
        entry.is_worksheet = HasRelationshipKind(relationship.type, "worksheet");
      }
    }
    book.sheets.push_back(std::move(entry));
  }
  if (book.sheets.empty()) Unusable(package, "it holds no sheet.");
  const pugi::xml_node view = FirstChild(FirstChild(root, "bookViews"), "workbookView");
  const unsigned active_tab = view.attribute("activeTab").as_uint(0);
  book.active = active_tab < book.sheets.size() ? active_tab : 0;
  const SheetEntry& active = book.sheets[book.active];
  if (!active.is_worksheet || !package.Contains(active.part)) {
    Unusable(package, "its active sheet \"" + active.name + "\" is no worksheet.");
  }
  return book;
}

// Formulas over grown tables must be computed afresh when the report opens; the old
// calculation chain no longer matches the cells.
void AskForFullRecalculation(Package& package, const std::string& workbook_part) {
  const std::string chain = FindRelatedPart(package, workbook_part, "calcChain");
  if (!chain.empty()) {
    package.Remove(chain);
    RemoveContentTypeOverride(package, chain);
  }
  RemoveRelationshipsOfKind(package, workbook_part, "calcChain");
  pugi::xml_node root = package.Xml(workbook_part).document_element();
  pugi::xml_node calc = ChildInSchemaOrder(root, "calcPr", kWorkbookElementOrder);
  pugi::xml_attribute full = calc.attribute("fullCalcOnLoad");
  if (!full) full = calc.append_attribute("fullCalcOnLoad");
  full = "1";
}

std::string ReadWholeFile(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    throw UnopenableWorkbook(path.string(), "it is a folder.");
  }
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!error && size > kMaxWorkbookFileBytes) {
    throw UnopenableWorkbook(path.string(), "it is too large.");
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) throw UnopenableWorkbook(path.string(), "the file can not be read.");
  std::ostringstream bytes;
  bytes << file.rdbuf();
  if (file.bad()) throw UnopenableWorkbook(path.string(), "the file can not be read.");
  return std::move(bytes).str();
}

}  // namespace

Workbook Workbook::Load(const std::filesystem::path& path) {
  return LoadFromMemory(ReadWholeFile(path), path.string());
}

Workbook Workbook::LoadFromMemory(std::string bytes, std::string display_name) {
  auto impl = std::make_unique<Impl>();
  impl->package = Package::FromZip(bytes, std::move(display_name));
  bytes.clear();
  Package& package = impl->package;
  const std::string workbook_part = FindWorkbookPart(package);
  impl->book = ReadBookStructure(package, workbook_part);
  impl->styles.Load(package, FindRelatedPart(package, workbook_part, "styles"));
  std::string strings_part = FindRelatedPart(package, workbook_part, "sharedStrings");
  if (!package.Contains(strings_part)) strings_part.clear();
  impl->strings.Load(package, workbook_part, strings_part);
  AskForFullRecalculation(package, workbook_part);

  Worksheet::Impl& sheet = impl->sheet_impl;
  sheet.package = &impl->package;
  sheet.strings = &impl->strings;
  sheet.styles = &impl->styles;
  sheet.book = &impl->book;
  sheet.name = impl->book.sheets[impl->book.active].name;
  sheet.part_name = impl->book.sheets[impl->book.active].part;
  sheet.Load();
  ForgetResultsReadingSheet(package, impl->book, sheet.part_name, sheet.name);
  return Workbook(std::move(impl));
}

Workbook::Workbook(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Workbook::Workbook(Workbook&&) noexcept = default;
Workbook& Workbook::operator=(Workbook&&) noexcept = default;
Workbook::~Workbook() = default;

Worksheet& Workbook::ActiveSheet() { return impl_->sheet; }
const Worksheet& Workbook::ActiveSheet() const { return impl_->sheet; }

std::string Workbook::SaveToMemory(const SaveOptions& options) const {
  Package::GeneratedParts generated;
  generated.emplace(impl_->sheet_impl.part_name, impl_->sheet_impl.Serialize());
  return impl_->package.ToZip(options.entry_time, generated);
}

void Workbook::Save(const std::filesystem::path& path, const SaveOptions& options) const {
  WriteFileAtomically(path, SaveToMemory(options));
}

}  // namespace korvanta::workbook
