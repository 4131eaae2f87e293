// The steps of a report variant over its typed record (read, summary, layout, ASM document,
// inspect description), and the same steps over a record of any variant, which the registry
// rows hold and the pipeline runs.
#pragma once

#include <memory>

#include "asm/asm_document.h"

namespace korvanta {

class ExportFile;
class InspectionContext;
class ReportSheet;
struct Opening;
struct ReportSummary;

// The record a variant's reader produced, whatever its type.
class VariantRecord {
 public:
  virtual ~VariantRecord() = default;
};

template <typename Record>
class HeldRecord final : public VariantRecord {
 public:
  explicit HeldRecord(Record record) : record_(std::move(record)) {}
  const Record& Get() const { return record_; }

 private:
  Record record_;
};

template <typename Record>
struct TypedSteps {
  // The rest of the file after its opening.
  Record (*read)(ExportFile& file, const Opening& opening);
  // Among the variants read alike, whether the record is this one; nothing: every record.
  bool (*fits)(const Record& record);
  // The counts of the record; the pipeline fills in the data type and the variant's name.
  void (*summarise)(const Record& record, ReportSummary& summary);
  void (*lay_out)(ReportSheet& sheet, const Record& record);
  AsmJson (*asm_document)(const Record& record, const AsmSource& source);
  void (*describe)(InspectionContext& context, const Record& record);
};

struct VariantSteps {
  std::unique_ptr<VariantRecord> (*read)(ExportFile& file, const Opening& opening);
  bool (*fits)(const VariantRecord& record);
  void (*summarise)(const VariantRecord& record, ReportSummary& summary);
  void (*lay_out)(ReportSheet& sheet, const VariantRecord& record);
  AsmJson (*asm_document)(const VariantRecord& record, const AsmSource& source);
  void (*describe)(InspectionContext& context, const VariantRecord& record);
};

namespace steps_detail {

// A record of another variant's type is refused (std::bad_cast) rather than misread.
template <typename Record>
const Record& Typed(const VariantRecord& record) {
  return dynamic_cast<const HeldRecord<Record>&>(record).Get();
}

template <typename Steps>
struct RecordOf;
template <typename Record>
struct RecordOf<TypedSteps<Record>> {
  using Type = Record;
};

}  // namespace steps_detail

// The steps of `kTyped` over records of any variant.
template <const auto& kTyped>
constexpr VariantSteps ErasedSteps() {
  using Record = typename steps_detail::RecordOf<std::remove_cvref_t<decltype(kTyped)>>::Type;
  using steps_detail::Typed;
  return {
      [](ExportFile& file, const Opening& opening) -> std::unique_ptr<VariantRecord> {
        return std::make_unique<HeldRecord<Record>>(kTyped.read(file, opening));
      },
      [](const VariantRecord& record) {
        if (dynamic_cast<const HeldRecord<Record>*>(&record) == nullptr) return false;
        return kTyped.fits == nullptr || kTyped.fits(Typed<Record>(record));
      },
      [](const VariantRecord& record, ReportSummary& summary) {
        kTyped.summarise(Typed<Record>(record), summary);
      },
      [](ReportSheet& sheet, const VariantRecord& record) {
        kTyped.lay_out(sheet, Typed<Record>(record));
      },
      [](const VariantRecord& record, const AsmSource& source) {
        return kTyped.asm_document(Typed<Record>(record), source);
      },
      [](InspectionContext& context, const VariantRecord& record) {
        kTyped.describe(context, Typed<Record>(record));
      },
  };
}

}  // namespace korvanta
