#include "workbook/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>
#include <vector>

#include "workbook/workbook.h"

namespace korvanta::workbook {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, const std::string& reason) {
  throw WorkbookError("Can not save \"" + path.string() + "\": " + reason);
}

std::string ErrnoText(int error) { return std::strerror(error); }

// Closes and removes the temporary file unless it was renamed into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::filesystem::path& target) {
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fd_ = ::mkstemp(name.data());
    if (fd_ < 0) Fail(target, ErrnoText(errno) + ".");
    path_ = name.data();
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }

  int fd() const { return fd_; }
  const std::string& path() const { return path_; }
  // Closes the file; false with errno set when the close reports a failed write.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }
  void Release() { path_.clear(); }

 private:
  int fd_ = -1;
  std::string path_;
};

// The mode a new file gets from the process's umask.
mode_t DefaultFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

}  // namespace

void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  if (path.empty() || !path.has_filename()) Fail(path, "no file name.");
  struct stat existing {};
  const bool exists = ::stat(path.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) Fail(path, "it is a folder.");

  TemporaryFile temporary(path);
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t result = ::write(temporary.fd(), bytes.data() + written, bytes.size() - written);
    if (result < 0) {
      if (errno == EINTR) continue;
      Fail(path, ErrnoText(errno) + ".");
    }
    written += static_cast<std::size_t>(result);
  }
  const mode_t mode = exists ? static_cast<mode_t>(existing.st_mode & 07777) : DefaultFileMode();
  // Some file systems (removable drives) keep no modes; the content still counts.
  static_cast<void>(::fchmod(temporary.fd(), mode));
  if (::fsync(temporary.fd()) != 0) Fail(path, ErrnoText(errno) + ".");
  if (!temporary.Close()) Fail(path, ErrnoText(errno) + ".");
  if (::rename(temporary.path().c_str(), path.c_str()) != 0) Fail(path, ErrnoText(errno) + ".");
  temporary.Release();

  // The rename itself reaches the disk with the folder; a folder that cannot be synced (some
  // network file systems) does not undo a completed save.
  const std::filesystem::path folder =
      path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  const int folder_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (folder_fd >= 0) {
    ::fsync(folder_fd);
    ::close(folder_fd);
  }
}

}  // namespace korvanta::workbook
