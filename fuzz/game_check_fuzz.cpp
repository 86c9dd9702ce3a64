// Any bytes as a collision file for the batch tool's check, for Vice City and for San Andreas.
// Nothing may crash or read outside the bytes, every text stays printable, and a file the check
// finds no error in must be one the editor reads whole: its scan reaches the end and every coll
// reads.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "cli/game_check.h"
#include "core/coll_codec.h"

namespace {

using namespace vantorel;

void Require(bool condition) {
  if (!condition) std::abort();
}

// A file the check for game finds no error in reads whole.
void CheckFor(std::span<const std::uint8_t> bytes, cli::Game game) {
  cli::GameCheckOptions options;
  options.game = game;
  options.findingsPerColl = 8;
  const cli::GameCheckResult result = cli::CheckCollFile("fuzz.col", bytes, options);
  Require(result.colls <= bytes.size() / 72);
  for (const cli::GameCheckFinding& finding : result.findings) {
    for (const char c : finding.text)
      Require(c >= 0x20 && c < 0x7F);
    Require(finding.coll >= 1);
  }
  if (result.errors > 0) return;

  const Bytes image(bytes.begin(), bytes.end());
  CollDirectoryEntries directory;
  Require(ScanFile(image, directory) == ScanEnd::EndOfData);
  Require(directory.size() == result.colls);
  for (CollDirectoryEntry& entry : directory) {
    Coll coll;
    Require(ReadColl(image, entry, coll) == ReadResult::Ok);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  CheckFor(bytes, cli::Game::ViceCity);
  CheckFor(bytes, cli::Game::SanAndreas);  // which reads all four record kinds
  return 0;
}
