// The one way the conversion core talks to the user: the window, the command line and the
// tests each implement it.
#pragma once

#include <optional>
#include <string>

namespace korvanta {

struct OutputChoice {
  std::string path;
  // The chooser already asked the user about replacing an existing file of exactly this name
  // (the save dialog does), or the user allowed it in advance (--force).
  bool overwrite_confirmed = false;
};

class Host {
 public:
  virtual ~Host() = default;

  // The save dialog: the output path as entered, or nothing when the user cancels.
  virtual std::optional<OutputChoice> ChooseOutputPath() = 0;
  // Asked when the final output path names an existing file the chooser did not confirm
  // (".xlsx" was appended to the entered name, say). False keeps the file and ends.
  virtual bool ConfirmOverwrite(const std::string& path) = 0;
  // A failure or notice the user must read; the conversion has stopped when it is a failure.
  virtual void ShowMessage(const std::string& text) = 0;
  // Something the user should know about a finished report (a file that ended early).
  virtual void ShowWarning(const std::string& text) = 0;
  // The status line: "Transforming...Please wait...", "Completed.".
  virtual void SetStatus(const std::string& text) = 0;
  // The saved report, handed to the user's spreadsheet application.
  virtual void ShowWorkbook(const std::string& path) = 0;
  // A saved data document (the ASM JSON), named to the user; only the command writes them.
  virtual void ShowDocument(const std::string& /*path*/) {}
};

}  // namespace korvanta
