// Writes the twelve template workbooks into the folder named on the command line.

#include <exception>
#include <filesystem>
#include <iostream>

#include "template_makers.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_templates FOLDER\n";
    return 2;
  }
  namespace templates = korvanta::templates;
  const std::filesystem::path folder = argv[1];
  try {
    std::filesystem::create_directories(folder);
    templates::MakeBradTemplate(folder);
    templates::MakeBrad6Template(folder);
    templates::MakeBrad62Template(folder);
    templates::MakeConcentrationTemplate(folder);
    templates::MakeDnaRnaTemplate(folder);
    templates::MakeDnaRnaDyeTemplate(folder);
    templates::MakeKineticsTemplate(folder);
    templates::MakeOd600Template(folder);
    templates::MakeOd600OdTemplate(folder);
    templates::MakePhotometTemplate(folder);
    templates::MakeTmTemplate(folder);
    templates::MakeWlScanTemplate(folder);
  } catch (const std::exception& error) {
    std::cerr << "make_templates: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
