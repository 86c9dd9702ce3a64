#include "cli/file_lock.h"

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace vantorel::cli {

FileLock::~FileLock() {
#if !defined(_WIN32)
  if (fd_ >= 0) ::close(fd_);
#endif
}

void FileLock::Acquire(const std::filesystem::path& path) {
#if !defined(_WIN32)
  for (;;) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return;
    struct stat locked;
    if (::fstat(fd, &locked) != 0 || !S_ISREG(locked.st_mode)) {
      ::close(fd);
      return;
    }
    int result;
    do {
      result = ::flock(fd, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    struct stat named;
    if (result != 0 || (::stat(path.c_str(), &named) == 0 && named.st_dev == locked.st_dev &&
                        named.st_ino == locked.st_ino)) {
      fd_ = fd;  // locked, or a file system without locks: go on unlocked
      return;
    }
    ::close(fd);
  }
#else
  (void)path;
#endif
}

}  // namespace vantorel::cli
