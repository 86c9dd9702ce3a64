#pragma once

#include <functional>
#include <string>

namespace vantorel::testing {

// Runs body in a child process as an ordinary user and returns what it returned. A process
// running as root (as in CI) gives up its rights in the child first (user and group 65534,
// "nobody"), so tests of what an ordinary user may not write run there too; folders the child
// must reach have to be open to it. On a crash of the child, the text says so.
std::string AsOrdinaryUser(const std::function<std::string()>& body);

}  // namespace vantorel::testing
