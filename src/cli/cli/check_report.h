#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/game_check.h"

namespace vantorel::cli {

// What check found in one file, or why it could not read it.
struct CheckedFile {
  std::string path;
  std::optional<std::string> readError;
  GameCheckResult result;
};

// "checked 2 files, 440 colls: 1 error, 12 warnings", with how many findings were not shown and
// how many files could not be read when there are any: one summary over all files.
std::string CheckSummaryLine(const std::vector<CheckedFile>& files);

// The check command's JSON document: the game, one object per file with its counts (or its
// read error, which counts as one error), every finding kept, and the totals.
std::string CheckJson(const std::vector<CheckedFile>& files, Game game);

}  // namespace vantorel::cli
