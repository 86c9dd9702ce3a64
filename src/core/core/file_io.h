#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "core/byte_buffer.h"

namespace vantorel {

// What a file was when it was read or written: which file (device and inode), how long, and when
// it was last modified. A save compares it with the file on disk to notice changes made
// elsewhere in the meantime.
struct FileStamp {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t modifiedNs = 0;

  bool operator==(const FileStamp&) const = default;
};

// The stamp of the regular file path names now (following links); nullopt when there is none,
// or what is there is no regular file (nothing a save could overwrite).
std::optional<FileStamp> CurrentStamp(const std::filesystem::path& path);

// Reads the whole file at path into bytes, and its stamp into stamp when given. Only a regular
// file is read: a folder, a named pipe, a device or a socket is refused without waiting for it.
// On failure returns the text to show, naming the file and the system's reason, and leaves
// bytes empty.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, Bytes& bytes,
                                         FileStamp* stamp = nullptr);

struct ReplaceOptions {
  // When set, the save is refused unless the target is still this file as it was read.
  const FileStamp* unchangedSince = nullptr;
  // Receives the stamp of the file written.
  FileStamp* written = nullptr;
};

// Writes bytes to path. A regular file (or a new one) is replaced whole: the bytes go to an
// unnamed (or, where the system has none, a short-named) temporary file in the same folder,
// with the old file's mode, owner and group, which is synced and renamed over the target only
// once it is complete, so a failed save never leaves a half-written file behind. Before any of
// that, a target the process may not write is refused with the system's reason, and so is a
// regular file with more than one hard link, which the rename would separate from the others.
// A character device or a named pipe is written into directly; any other kind of file is
// refused. A symbolic link is followed, a dangling one to the file it names. On failure returns
// the text to show, naming the file and the reason.
std::optional<std::string> WriteFileReplacing(const std::filesystem::path& path,
                                              std::span<const std::uint8_t> bytes,
                                              const ReplaceOptions& options = {});

// Whether a and b name the same file: the same device and inode when both exist (so through links
// and other spellings of the path), else the same path once made absolute and resolved.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// The text of a save refused because the file changed on disk since it was read.
std::string ChangedOnDiskError(const std::filesystem::path& path);

}  // namespace vantorel
