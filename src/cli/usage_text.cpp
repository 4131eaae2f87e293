#include "cli/usage_text.h"

namespace korvanta::cli {

std::string UsageText() {
  return "Usage: korvanta convert [options] INPUT...\n"
         "       korvanta inspect [--json] INPUT\n"
         "       korvanta --help | --version\n"
         "\n"
         "convert: turns the export files of the spectrophotometer (.pro .con .nuc .tsc .od\n"
         ".pht .tm .wsc), or folders of them, into Excel reports laid out by template.\n"
         "\n"
         "  -o, --output PATH        report for a single input; \".xlsx\" is appended unless\n"
         "                           the name ends in .xlsx (any case)\n"
         "  -d, --output-dir DIR     folder for the reports: DIR/<input stem>.xlsx\n"
         "                           (default: beside each input)\n"
         "  -t, --template-dir DIR   template folder (default: template/ beside the program)\n"
         "  -r, --recursive          take the export files of folders and all their subfolders\n"
         "                           (default: the files directly in a folder)\n"
         "  -f, --force              replace existing reports and documents (default: refuse\n"
         "                           and go on)\n"
         "  -j, --jobs N             conversions at once (default: the number of processors)\n"
         "      --open               open each finished report in the spreadsheet application\n"
         "      --json               print a JSON summary of every input on stdout\n"
         "      --format LIST        xlsx (default), asm, or xlsx,asm: the report and/or the\n"
         "                           measurements as an Allotrope Simple Model (ASM) JSON\n"
         "                           document, <stem>.json where the report would go\n"
         "  -q, --quiet              report failures only\n"
         "  -v, --verbose            also report each step and what each report holds\n"
         "\n"
         "inspect: shows what an export file holds (type, method, counts, the first records,\n"
         "warnings with their lines) without writing anything.\n"
         "\n"
         "      --json               print it as a JSON document\n"
         "\n"
         "  -h, --help               show this help\n"
         "      --version            show the version\n"
         "\n"
         "Exit status: 0 when every input was converted (inspect: the file can be converted),\n"
         "1 when any failed, 2 for bad usage.\n";
}

}  // namespace korvanta::cli
