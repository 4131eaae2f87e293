#include "workbook/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>
#include <system_error>

#include "workbook/workbook.h"

namespace korvanta::workbook {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, const std::string& reason) {
  throw WorkbookError("Can not save \"" + path.string() + "\": " + reason);
}

// strerror may share one buffer between threads; the error category does not.
std::string ErrnoText(int error) { return std::generic_category().message(error); }

// ".NAME." and six random letters and digits.
std::string TemporaryName(const std::filesystem::path& target, std::mt19937& random) {
  constexpr std::string_view kCharacters =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::uniform_int_distribution<std::size_t> pick(0, kCharacters.size() - 1);
  std::string name = "." + target.filename().string() + ".";
  for (int i = 0; i < 6; ++i) name += kCharacters[pick(random)];
  return name;
}

// Closes and removes the temporary file unless it was renamed into place.
class TemporaryFile {
 public:
  // Created as a new file is, so that it has the mode the process's umask gives; asking for
  // the umask would mean setting it, which races with every other thread creating files.
  explicit TemporaryFile(const std::filesystem::path& target) {
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::random_device seed;
    std::mt19937 random(seed());
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts && fd_ < 0; ++attempt) {
      const std::string name = (folder / TemporaryName(target, random)).string();
      fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ >= 0) {
        path_ = name;
      } else if (errno != EEXIST) {
        Fail(target, ErrnoText(errno) + ".");
      }
    }
    if (fd_ < 0) Fail(target, ErrnoText(EEXIST) + ".");
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

}  // namespace

void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  if (path.empty() || !path.has_filename()) Fail(path, "no file name.");
  struct stat existing {};
  const bool exists = ::stat(path.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) Fail(path, "it is a folder.");

  TemporaryFile temporary(path);
  // A replaced file keeps its mode, set before any content is written; a new one has the
  // mode it was created with. Some file systems (removable drives) keep no modes; the content
  // still counts.
  if (exists) static_cast<void>(::fchmod(temporary.fd(), existing.st_mode & 07777));
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t result = ::write(temporary.fd(), bytes.data() + written, bytes.size() - written);
    if (result < 0) {
      if (errno == EINTR) continue;
      Fail(path, ErrnoText(errno) + ".");
    }
    written += static_cast<std::size_t>(result);
  }
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
