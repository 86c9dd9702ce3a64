#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/game_check_finding.h"

namespace vantorel::cli {

// The game a file is checked for; it decides which record kinds and materials are known.
enum class Game { GtaIII, ViceCity, SanAndreas };

// The highest material id the game knows: 32 for GTA III, 34 for Vice City, 178 for San Andreas.
int HighestMaterial(Game game);
std::string_view GameName(Game game);  // "GTA III", "Vice City", "San Andreas"

struct GameCheckOptions {
  Game game = Game::ViceCity;
  // At most this many findings are kept per coll, errors before warnings; one note then says
  // how many more there were.
  std::size_t findingsPerColl = 20;
  char decimalSeparator = '.';
};

struct GameCheckResult {
  std::vector<GameCheckFinding> findings;  // in file order
  std::size_t colls = 0;                   // records of the four kinds ("COLL", "COL2", ...)
  std::size_t errors = 0;                  // every error found, kept or not
  std::size_t warnings = 0;                // every warning found, kept or not
  std::size_t notShown = 0;                // findings left out by the cap
};

// Checks a whole collision file image for what would keep the game from reading it as meant.
// Reads each record once, straight from the bytes; never reads outside them and never
// allocates from a count it has not checked against them.
//
// Tolerances: bounding objects as BoundsContainment measures them; a face has no area when its
// height over its longest edge is at most 1e-6 of that edge.
GameCheckResult CheckCollFile(std::string_view file, std::span<const std::uint8_t> bytes,
                              const GameCheckOptions& options);

}  // namespace vantorel::cli
