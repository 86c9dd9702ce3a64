#include "bench/bench_ui.h"

namespace vantorel::bench {

void BenchUi::Message(const std::string& text) {
  ++messages;
  lastMessage = text;
}

}  // namespace vantorel::bench
