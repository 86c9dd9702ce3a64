#include "core/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

#include "core/utf8_path.h"

#if defined(_WIN32)
#include <fstream>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vantorel {

namespace {

namespace fs = std::filesystem;

std::string OpenError(const fs::path& path, const std::string& reason) {
  return "Cannot open file \"" + PathToUtf8(path) + "\". " + reason;
}
std::string SaveError(const fs::path& path, const std::string& reason) {
  return "Cannot save file \"" + PathToUtf8(path) + "\". " + reason;
}
std::string SystemReason(int error) {
  return std::string(std::strerror(error)) + ".";
}

// Slack beyond the file's size, so that a write-back which grows a record seldom has to move
// the whole image to a new allocation.
std::size_t GrowthReserve(std::size_t size) {
  return std::max<std::size_t>(size / 64, 64 * 1024);
}

// Makes room for size bytes; false when there is not enough memory.
bool MakeRoom(Bytes& bytes, std::size_t size) {
  try {
    bytes.reserve(size + GrowthReserve(size));
    bytes.resize(size);
    return true;
  } catch (const std::bad_alloc&) {
    bytes = Bytes();
    return false;
  }
}

}  // namespace

std::string ChangedOnDiskError(const fs::path& path) {
  return SaveError(path, "It was changed on disk since it was opened.");
}

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  if (fs::exists(a, ec) && fs::exists(b, ec)) {
    const bool same = fs::equivalent(a, b, ec);
    if (!ec) return same;
  }
  std::error_code first;
  std::error_code second;
  const fs::path resolvedA = fs::weakly_canonical(a, first);
  const fs::path resolvedB = fs::weakly_canonical(b, second);
  if (first || second)
    return fs::absolute(a, ec).lexically_normal() == fs::absolute(b, ec).lexically_normal();
  return resolvedA == resolvedB;
}

#if defined(_WIN32)

// Windows keeps the plain road: the wide path reaches the system whole, the file is written
// beside the target and renamed over it.

std::optional<FileStamp> CurrentStamp(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  FileStamp stamp;
  stamp.size = fs::file_size(path, ec);
  stamp.modifiedNs = fs::last_write_time(path, ec).time_since_epoch().count();
  return stamp;
}

std::optional<std::string> ReadWholeFile(const fs::path& path, Bytes& bytes, FileStamp* stamp) {
  bytes.clear();
  std::error_code ec;
  if (fs::is_directory(path, ec)) return OpenError(path, "It is a directory.");
  if (fs::exists(path, ec) && !fs::is_regular_file(path, ec))
    return OpenError(path, "It is not a regular file.");
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) return OpenError(path, SystemReason(errno));
  const auto size = static_cast<std::size_t>(file.tellg());
  if (!MakeRoom(bytes, size)) return OpenError(path, "Not enough memory to hold the file.");
  file.seekg(0);
  if (size > 0 && !file.read(reinterpret_cast<char*>(bytes.data()), size)) {
    bytes = Bytes();
    return OpenError(path, "The file changed while it was read.");
  }
  if (stamp) *stamp = CurrentStamp(path).value_or(FileStamp{});
  return std::nullopt;
}

std::optional<std::string> WriteFileReplacing(const fs::path& path,
                                              std::span<const std::uint8_t> bytes,
                                              const ReplaceOptions& options) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return SaveError(path, "It is a directory.");
  if (options.unchangedSince && CurrentStamp(path) != *options.unchangedSince)
    return ChangedOnDiskError(path);
  std::random_device random;
  fs::path temporary = path.parent_path() / (".vantorel-" + std::to_string(random() % 100000000));
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    if (!file) return SaveError(path, SystemReason(errno));
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.flush();
    if (!file) {
      file.close();
      fs::remove(temporary, ec);
      return SaveError(path, SystemReason(errno));
    }
  }
  fs::rename(temporary, path, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return SaveError(path, ec.message() + ".");
  }
  if (options.written) *options.written = CurrentStamp(path).value_or(FileStamp{});
  return std::nullopt;
}

#else

namespace {

// A file descriptor closed when it goes.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() { Close(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int Get() const { return fd_; }
  void Reset(int fd) {
    Close();
    fd_ = fd;
  }
  explicit operator bool() const { return fd_ >= 0; }
  // Closes now; the system's error of the close, or 0.
  int Close() {
    if (fd_ < 0) return 0;
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

FileStamp StampOf(const struct stat& info) {
  FileStamp stamp;
  stamp.device = static_cast<std::uint64_t>(info.st_dev);
  stamp.inode = static_cast<std::uint64_t>(info.st_ino);
  stamp.size = static_cast<std::uint64_t>(info.st_size);
  stamp.modifiedNs =
      static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  return stamp;
}

// What kind of file other than a regular one the mode names, for the refusal.
std::string NotRegular(mode_t mode) {
  if (S_ISFIFO(mode)) return "It is a named pipe (FIFO), not a regular file.";
  if (S_ISCHR(mode)) return "It is a character device, not a regular file.";
  if (S_ISBLK(mode)) return "It is a block device, not a regular file.";
  if (S_ISSOCK(mode)) return "It is a socket, not a regular file.";
  return "It is not a regular file.";
}

// Writes all bytes to fd; the system's error, or 0.
int WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    done += static_cast<std::size_t>(written);
  }
  return 0;
}

// Where a save through path lands: path itself, or the file its chain of symbolic links ends
// at, which need not exist yet. The system's error (ELOOP for a loop) when it cannot be told.
struct Destination {
  fs::path path;
  int error = 0;
};

Destination FollowLinks(const fs::path& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) == 0) {
    if (::lstat(path.c_str(), &info) == 0 && !S_ISLNK(info.st_mode)) return {path};
    std::error_code ec;
    const fs::path resolved = fs::canonical(path, ec);
    return ec ? Destination{{}, ec.value()} : Destination{resolved};
  }
  if (errno != ENOENT) return {{}, errno};
  // A dangling link: walk its chain to the name that does not exist yet.
  fs::path current = path;
  for (int hop = 0; hop < 40; ++hop) {
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return {current};
    std::error_code ec;
    const fs::path next = fs::read_symlink(current, ec);
    if (ec) return {{}, ec.value()};
    current = next.is_absolute() ? next : current.parent_path() / next;
  }
  return {{}, ELOOP};
}

// Writes into a character device or named pipe as into a stream: there is nothing to replace.
std::optional<std::string> WriteInto(const fs::path& shown, const fs::path& path,
                                     std::span<const std::uint8_t> bytes) {
  Descriptor file(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
  if (!file) return SaveError(shown, SystemReason(errno));
  struct stat info;
  if (::fstat(file.Get(), &info) != 0) return SaveError(shown, SystemReason(errno));
  if (!S_ISCHR(info.st_mode) && !S_ISFIFO(info.st_mode))
    return SaveError(shown, NotRegular(info.st_mode));
  if (const int error = WriteAll(file.Get(), bytes)) return SaveError(shown, SystemReason(error));
  if (const int error = file.Close()) return SaveError(shown, SystemReason(error));
  return std::nullopt;
}

std::string ShortTemporaryName() {
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::random_device random;
  std::string name = ".vantorel-";
  for (int i = 0; i < 8; ++i)
    name += kDigits[random() % 36];
  return name + ".tmp";
}

// The temporary file of a save, in the target's folder: unnamed where the system allows, so a
// killed save leaves nothing behind; else under a short name (a long target name must not make
// the save fail), removed on every failure.
class TemporaryFile {
 public:
  TemporaryFile(const fs::path& folder, mode_t mode) : folder_(folder.empty() ? "." : folder) {
#if defined(O_TMPFILE)
    std::error_code ec;
    if (fs::exists("/proc/self/fd", ec)) {
      fd_.Reset(::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
      if (fd_) return;
      if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        error_ = errno;
        return;
      }
    }
#endif
    for (int attempt = 0; attempt < 16; ++attempt) {
      name_ = folder_ / ShortTemporaryName();
      fd_.Reset(::open(name_.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, mode));
      if (fd_) return;
      if (errno != EEXIST) break;
    }
    error_ = errno;
    name_.clear();
  }
  ~TemporaryFile() {
    fd_.Close();
    if (!name_.empty()) ::unlink(name_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int Fd() const {
    return fd_.Get();
  }
  int Error() const {
    return error_;
  }

  // Puts the complete file in place of target; the system's error, or 0.
  int Replace(const fs::path& target, bool targetExists) {
    if (name_.empty()) {
      const std::string self = "/proc/self/fd/" + std::to_string(fd_.Get());
      // A new file gets its name at once, and never over one that appeared meanwhile.
      if (!targetExists) {
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) != 0)
          return errno;
        return SyncFolder();
      }
      for (int attempt = 0; name_.empty() && attempt < 16; ++attempt) {
        const fs::path name = folder_ / ShortTemporaryName();
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
          name_ = name;
        } else if (errno != EEXIST) {
          return errno;
        }
      }
      if (name_.empty()) return EEXIST;
    }
    if (::rename(name_.c_str(), target.c_str()) != 0) return errno;
    name_.clear();
    return SyncFolder();
  }

 private:
  // The rename reaches the disk with the folder; a folder that cannot be synced is no failure.
  int SyncFolder() {
    Descriptor folder(::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder) ::fsync(folder.Get());
    return 0;
  }

  fs::path folder_;
  fs::path name_;  // empty while the file has no name
  Descriptor fd_;
  int error_ = 0;
};

}  // namespace

std::optional<FileStamp> CurrentStamp(const fs::path& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return StampOf(info);
}

std::optional<std::string> ReadWholeFile(const fs::path& path, Bytes& bytes, FileStamp* stamp) {
  bytes.clear();
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return OpenError(path, SystemReason(errno));
  if (S_ISDIR(info.st_mode)) return OpenError(path, "It is a directory.");
  if (!S_ISREG(info.st_mode)) return OpenError(path, NotRegular(info.st_mode));
  // Not blocking, and checked again once open: the name may have been given to a pipe since.
  Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!file) return OpenError(path, SystemReason(errno));
  if (::fstat(file.Get(), &info) != 0) return OpenError(path, SystemReason(errno));
  if (S_ISDIR(info.st_mode)) return OpenError(path, "It is a directory.");
  if (!S_ISREG(info.st_mode)) return OpenError(path, NotRegular(info.st_mode));
  const auto size = static_cast<std::size_t>(info.st_size);
  if (!MakeRoom(bytes, size)) return OpenError(path, "Not enough memory to hold the file.");
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = ::read(file.Get(), bytes.data() + done, size - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      const int error = got < 0 ? errno : 0;
      bytes = Bytes();
      return OpenError(path, error ? SystemReason(error) : "The file changed while it was read.");
    }
    done += static_cast<std::size_t>(got);
  }
  if (stamp) *stamp = StampOf(info);
  return std::nullopt;
}

std::optional<std::string> WriteFileReplacing(const fs::path& path,
                                              std::span<const std::uint8_t> bytes,
                                              const ReplaceOptions& options) {
  // Opened through its own name: a link such as /dev/stdout may end in a pipe with no path.
  struct stat special;
  if (::stat(path.c_str(), &special) == 0 &&
      (S_ISCHR(special.st_mode) || S_ISFIFO(special.st_mode)))
    return WriteInto(path, path, bytes);
  const Destination destination = FollowLinks(path);
  if (destination.error) return SaveError(path, SystemReason(destination.error));
  const fs::path& target = destination.path;

  struct stat old;
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return SaveError(path, SystemReason(errno));
  if (exists) {
    if (S_ISDIR(old.st_mode)) return SaveError(path, "It is a directory.");
    if (S_ISCHR(old.st_mode) || S_ISFIFO(old.st_mode)) return WriteInto(path, target, bytes);
    if (!S_ISREG(old.st_mode)) return SaveError(path, NotRegular(old.st_mode));
    // Whether this process may write the file, asked of the file itself (its mode, a read-only
    // mount, a file being executed); opening without truncating changes nothing.
    Descriptor probe(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!probe) return SaveError(path, SystemReason(errno));
    if (::fstat(probe.Get(), &old) != 0) return SaveError(path, SystemReason(errno));
    if (old.st_nlink > 1) {
      return SaveError(path, "It has " + std::to_string(old.st_nlink) +
                                 " hard links, which a save would separate. Save it under "
                                 "another name, or remove the other links first.");
    }
  }
  if (options.unchangedSince && (!exists || StampOf(old) != *options.unchangedSince))
    return ChangedOnDiskError(path);

  // The temporary file never allows more than the file it replaces: created with its mode
  // (less what the umask takes), given its owner and group where the process may, then its
  // exact mode, as a change of owner clears the set-user-ID bits.
  const mode_t mode = exists ? (old.st_mode & 07777) : 0666;
  TemporaryFile temporary(target.parent_path(), mode & 0777);
  if (temporary.Error()) return SaveError(path, SystemReason(temporary.Error()));
  if (exists) {
    if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
        ::fchown(temporary.Fd(), old.st_uid, old.st_gid) != 0 && errno != EPERM) {
      return SaveError(path, SystemReason(errno));
    }
    if (::fchmod(temporary.Fd(), mode) != 0) return SaveError(path, SystemReason(errno));
  }
  if (const int error = WriteAll(temporary.Fd(), bytes))
    return SaveError(path, SystemReason(error));
  if (::fsync(temporary.Fd()) != 0) return SaveError(path, SystemReason(errno));
  struct stat written;
  if (::fstat(temporary.Fd(), &written) != 0) return SaveError(path, SystemReason(errno));

  // Checked again at the last moment: a writer that is not this program may have been at work
  // while the temporary file was written.
  if (options.unchangedSince && CurrentStamp(target) != *options.unchangedSince)
    return ChangedOnDiskError(path);
  if (const int error = temporary.Replace(target, exists))
    return SaveError(path, SystemReason(error));
  if (options.written) *options.written = StampOf(written);
  return std::nullopt;
}

#endif

}  // namespace vantorel
