#pragma once

#include <string>
#include <utility>
#include <vector>

#include "doc/start_up.h"
#include "tests/support/test_files.h"

namespace vantorel::testing {

// A start of the program as if it lay in dir, with its settings file "Vantorel.ini" beside it.
inline StartContext StartIn(const TempDir& dir, std::vector<std::string> arguments) {
  StartContext context;
  context.Arguments = std::move(arguments);
  context.ProgramPath = dir.Path() / "vantorel";
  context.SettingsPath = dir.Path() / "Vantorel.ini";
  return context;
}

}  // namespace vantorel::testing
