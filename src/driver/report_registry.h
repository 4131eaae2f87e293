// The registry: one row per report variant with all a conversion, its ASM document and
// `korvanta inspect` need to know about it, and the one reading of an export file that picks
// the row.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "driver/variant_steps.h"

namespace korvanta {

struct DataType;

struct ReportVariant {
  std::string_view data_type;      // "Protein", the button text of its data type
  std::string_view name;           // "Protein UV"
  std::string_view template_file;  // "brad6.xlsx", the template it is laid out on
  // Whether a file of the data type opening with these fields is this variant. Variants that
  // recognise the same openings are read alike and told apart by their steps' `fits`.
  bool (*recognises)(const Opening& opening);
  VariantSteps steps;
};

// Every variant, grouped by data type in button order.
std::span<const ReportVariant> ReportVariants();

// The variant a file of `type` is taken for until its opening says otherwise: the type's first.
const ReportVariant& FirstVariant(const DataType& type);

// The template every variant of `type` is laid out on, when they share one: it is known before
// the file is read.
std::optional<std::string_view> SharedTemplate(const DataType& type);

struct ReadExport {
  const ReportVariant* variant = nullptr;
  std::unique_ptr<VariantRecord> record;
};

// Told of the variant the opening names, before the rest of the file is read; among variants
// read alike, the record may still pick another.
using RecognisedSink = std::function<void(const ReportVariant& variant)>;

// Reads `file` from its start once: the opening, then the record of the variant of `type` the
// opening and the record say it is.
ReadExport ReadVariantRecord(ExportFile& file, const DataType& type,
                             const RecognisedSink& recognised = {});

}  // namespace korvanta
