// The inputs of a run: files as given, folders replaced by the export files they hold.
#pragma once

#include <string>
#include <vector>

namespace korvanta::cli {

struct Input {
  std::string path;
  std::string error;  // set when the input cannot be converted at all
};

// A file is taken as given (the conversion judges it). A folder gives, sorted by path, every
// entry whose name has an export file's extension: directly in it, or with `recursive` in it
// and all its subfolders. Such an entry that is no readable file (a folder named x.pro without
// `recursive`, a dangling link) is kept, so that it is reported rather than silently passed
// over; other names are passed over. A folder without export files, or one that cannot be
// read, is an input with an error.
std::vector<Input> ExpandInputs(const std::vector<std::string>& given, bool recursive);

}  // namespace korvanta::cli
