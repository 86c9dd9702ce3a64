#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "core/coll_codec.h"
#include "tests/support/test_files.h"

namespace vantorel::testing {

// What one run of the batch tool printed and returned.
struct CliRun {
  int status;
  std::string out;
  std::string err;
};

// Runs the batch tool in this process with a fixed clock, so that scripts have a known date.
inline CliRun RunCli(const std::vector<std::string>& args, char separator = '.') {
  std::ostringstream out;
  std::ostringstream err;
  const cli::Environment environment{separator, "08.12.2026 10:00:00"};
  const int status = cli::Run(args, environment, out, err);
  return {status, out.str(), err.str()};
}

// The coll stored as record index of the file the batch tool wrote; a test failure when the
// file holds no such record or it cannot be read.
inline Coll StoredColl(const std::string& file, std::size_t index) {
  const Bytes bytes = ReadBytes(file);
  CollDirectoryEntries directory;
  ScanFile(bytes, directory);
  Coll coll;
  EXPECT_LT(index, directory.size());
  if (index < directory.size()) {
    EXPECT_EQ(ReadColl(bytes, directory[index], coll), ReadResult::Ok);
  }
  return coll;
}

}  // namespace vantorel::testing
