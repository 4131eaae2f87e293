#pragma once

// One function per template workbook; each writes its file into `folder`.

#include <filesystem>

namespace korvanta::templates {

void MakeBradTemplate(const std::filesystem::path& folder);
void MakeBrad6Template(const std::filesystem::path& folder);
void MakeBrad62Template(const std::filesystem::path& folder);
void MakeConcentrationTemplate(const std::filesystem::path& folder);
void MakeDnaRnaTemplate(const std::filesystem::path& folder);
void MakeDnaRnaDyeTemplate(const std::filesystem::path& folder);
void MakeKineticsTemplate(const std::filesystem::path& folder);
void MakeOd600Template(const std::filesystem::path& folder);
void MakeOd600OdTemplate(const std::filesystem::path& folder);
void MakePhotometTemplate(const std::filesystem::path& folder);
void MakeTmTemplate(const std::filesystem::path& folder);
void MakeWlScanTemplate(const std::filesystem::path& folder);

}  // namespace korvanta::templates
