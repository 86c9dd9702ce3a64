#pragma once

#include <string>

namespace vantorel::bench {

// The CPU time the whole program takes while its window shows a coll and nobody touches it, over
// ten seconds after the start-up picture has faded: the window as it is, the same window hidden,
// and the same window made to draw at every 20 ms tick (the view before it learned to rest).
void RegisterIdleWindowBenchmarks(const std::string& file);

}  // namespace vantorel::bench
