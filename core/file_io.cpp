#include "core/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace vantorel {

namespace {

namespace fs = std::filesystem;

std::string OpenError(const std::string& path, const std::string& reason) {
  return "Cannot open file \"" + path + "\". " + reason;
}
std::string SaveError(const std::string& path, const std::string& reason) {
  return "Cannot save file \"" + path + "\". " + reason;
}
std::string SystemReason(int error) {
  return std::string(std::strerror(error)) + ".";
}

struct FileCloser {
  void operator()(std::FILE* file) const {
    if (file) std::fclose(file);
  }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Slack beyond the file's size, so that a write-back which grows a record seldom has to move
// the whole image to a new allocation.
std::size_t GrowthReserve(std::size_t size) {
  return std::max<std::size_t>(size / 64, 64 * 1024);
}

bool FlushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
#if defined(_WIN32)
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, Bytes& bytes) {
  bytes.clear();
  std::error_code ec;
  if (fs::is_directory(path, ec)) return OpenError(path, "It is a directory.");
  FilePtr file(std::fopen(path.c_str(), "rb"));
  if (!file) return OpenError(path, SystemReason(errno));
  if (std::fseek(file.get(), 0, SEEK_END) != 0) return OpenError(path, SystemReason(errno));
  const long end = std::ftell(file.get());
  if (end < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) {
    return OpenError(path, SystemReason(errno));
  }
  const auto size = static_cast<std::size_t>(end);
  try {
    bytes.reserve(size + GrowthReserve(size));
    bytes.resize(size);
  } catch (const std::bad_alloc&) {
    bytes = Bytes();
    return OpenError(path, "Not enough memory to hold the file.");
  }
  if (size > 0 && std::fread(bytes.data(), 1, size, file.get()) != size) {
    const int error = std::ferror(file.get()) ? errno : 0;
    bytes = Bytes();
    return OpenError(path, error ? SystemReason(error) : "The file changed while it was read.");
  }
  return std::nullopt;
}

std::optional<std::string> WriteFileReplacing(const std::string& path,
                                              std::span<const std::uint8_t> bytes) {
  std::error_code ec;
  // Saving through a symbolic link replaces the file it points at, not the link.
  fs::path target = fs::path(path);
  if (fs::is_symlink(target, ec)) {
    const fs::path resolved = fs::canonical(target, ec);
    if (!ec) target = resolved;
  }
  if (fs::is_directory(target, ec)) return SaveError(path, "It is a directory.");

  std::random_device random;
  fs::path temporary = target;
  temporary += ".vantorel-" + std::to_string(random()) + ".tmp";

  FilePtr file(std::fopen(temporary.string().c_str(), "wb"));
  if (!file) return SaveError(path, SystemReason(errno));
  const bool written =
      bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  const int writeError = errno;
  const bool flushed = written && FlushToDisk(file.get());
  const int flushError = errno;
  const bool closed = std::fclose(file.release()) == 0;
  const int closeError = errno;
  if (!written || !flushed || !closed) {
    fs::remove(temporary, ec);
    return SaveError(path, SystemReason(!written   ? writeError
                                        : !flushed ? flushError
                                                   : closeError));
  }

  const fs::file_status existing = fs::status(target, ec);
  if (!ec && fs::exists(existing)) fs::permissions(temporary, existing.permissions(), ec);
  fs::rename(temporary, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return SaveError(path, ec.message() + ".");
  }
  return std::nullopt;
}

}  // namespace vantorel
