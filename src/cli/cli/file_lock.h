#pragma once

#include <filesystem>

namespace vantorel::cli {

// An advisory lock on a file (flock), held from the moment a writing command reads the file to
// the moment its save has renamed the new file into place, so that two batch commands on one
// file run one after the other: the second waits, then reads what the first wrote. Programs
// that take no lock are not held back; the save's check of the file's stamp catches them.
class FileLock {
 public:
  FileLock() = default;
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // Waits for the lock on the file path names. A save by another holder puts a new file under
  // the name, so the lock is taken again until it is the lock of the file the name holds. A
  // file that cannot be opened, or is no regular file, is not locked: reading it then fails
  // with the reason.
  void Acquire(const std::filesystem::path& path);

 private:
  int fd_ = -1;
};

}  // namespace vantorel::cli
