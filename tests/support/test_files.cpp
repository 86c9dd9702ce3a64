#include "tests/support/test_files.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>

namespace vantorel::testing {

TempDir::TempDir() {
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() /
          ("vantorel-test-" + std::to_string(random()) + std::to_string(random()));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

std::string TempDir::Write(const std::string& name, const Bytes& bytes) const {
  const auto path = path_ / name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

Bytes ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return Bytes(data.begin(), data.end());
}

std::filesystem::path RealFile(const std::string& name) {
  // A checkout that does not sit beside the shared data (a second work tree) can point there.
  if (const char* folder = std::getenv("VANTOREL_REAL_TESTDATA")) {
    return std::filesystem::path(folder) / name;
  }
  return std::filesystem::path(VANTOREL_REAL_TESTDATA) / name;
}

}  // namespace vantorel::testing
