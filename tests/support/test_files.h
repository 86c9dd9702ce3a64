#pragma once

#include <filesystem>
#include <string>

#include "core/byte_buffer.h"

namespace vantorel::testing {

// A fresh directory under the system's temporary directory, removed with everything in it
// when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // Writes bytes to name inside the directory and returns the full path.
  std::string Write(const std::string& name, const Bytes& bytes) const;

 private:
  std::filesystem::path path_;
};

Bytes ReadBytes(const std::filesystem::path& path);

// The real game files beside the project, when they are there; the environment variable
// VANTOREL_REAL_TESTDATA names another folder for them.
std::filesystem::path RealFile(const std::string& name);

}  // namespace vantorel::testing
