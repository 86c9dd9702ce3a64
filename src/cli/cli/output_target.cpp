#include "cli/output_target.h"

#include <filesystem>
#include <system_error>

#include "core/file_io.h"
#include "core/utf8_path.h"

namespace vantorel::cli {

std::optional<std::string> OutputRefusal(const std::string& file, const std::string& out,
                                         bool overwrite) {
  const std::filesystem::path outPath = PathFromUtf8(out);
  if (SameFile(PathFromUtf8(file), outPath)) {
    return out + " is the file " + file + " itself: give -o another file";
  }
  std::error_code ec;
  if (!overwrite && std::filesystem::is_regular_file(outPath, ec)) {
    return out + " exists: give --overwrite to replace it";
  }
  return std::nullopt;
}

}  // namespace vantorel::cli
