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
  throw UnsavableWorkbook(path, reason);
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
//
// Where the file system allows, the file has no name until it is complete (O_TMPFILE): a
// process killed while writing it, or a machine that stops, leaves nothing behind. Elsewhere
// it is a hidden file beside the target.
class TemporaryFile {
 public:
  // Created as a new file is, so that it has the mode the process's umask gives; asking for
  // the umask would mean setting it, which races with every other thread creating files.
  explicit TemporaryFile(const std::filesystem::path& target)
      : target_(target),
        folder_(target.has_parent_path() ? target.parent_path() : std::filesystem::path(".")),
        random_(std::random_device{}()) {
    // The unnamed file is named later through /proc; without it, or without unnamed files
    // here (an older kernel, some file systems), a named one, whose error is the one to report.
    if (::access("/proc/self/fd", F_OK) == 0) {
      fd_ = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
      if (fd_ >= 0) return;
    }
    for (int attempt = 0; attempt < kAttempts && fd_ < 0; ++attempt) {
      const std::string name = FreeName();
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

  // Closes the complete file and puts it in the target's place; false with errno set when
  // that fails, the target then as it was.
  bool Replace() {
    if (path_.empty()) {
      // A new target takes the unnamed file's name at once; an existing one is replaced
      // through a hidden name, which lives only for the moment before the rename.
      if (Link(target_.string())) {
        if (Close()) return true;
        const int error = errno;
        ::unlink(target_.c_str());
        errno = error;
        return false;
      }
      if (errno != EEXIST) return false;
      for (int attempt = 0; path_.empty(); ++attempt) {
        const std::string name = FreeName();
        if (Link(name)) {
          path_ = name;
        } else if (errno != EEXIST || attempt == kAttempts) {
          return false;
        }
      }
    }
    if (!Close()) return false;
    if (::rename(path_.c_str(), target_.c_str()) != 0) return false;
    path_.clear();
    return true;
  }

 private:
  static constexpr int kAttempts = 100;

  // ".NAME." and six random letters and digits, in the target's folder.
  std::string FreeName() { return (folder_ / TemporaryName(target_, random_)).string(); }

  // Gives the unnamed file a name; false with errno set (EEXIST when the name is taken).
  bool Link(const std::string& name) const {
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
  }

  // Closes the file; false with errno set when the close reports a failed write.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

  std::filesystem::path target_;
  std::filesystem::path folder_;
  std::mt19937 random_;
  int fd_ = -1;
  std::string path_;  // the file's name while it has one that is not the target's
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
  if (!temporary.Replace()) Fail(path, ErrnoText(errno) + ".");

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
