#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace vantorel::cli {

// The coll names of one file seen so far, compared ignoring the case of ASCII letters (as the
// editor's save compares them). An open-addressing table of hashes that grows by doubling: one
// probe per coll and no allocation per coll. It keeps pointers to the names, so the bytes they
// lie in (the file image) must outlive the table.
class CollNameTable {
 public:
  // Slots are read at random from a table of megabytes; asking for a name's slot a while before
  // FindOrAdd needs it hides most of the wait.
  void Prefetch(std::string_view name) const;

  // The number of an earlier coll of the same name, or 0 after remembering this coll's name.
  // Numbers start at 1.
  std::size_t FindOrAdd(std::string_view name, std::size_t collNumber);

 private:
  struct Slot {
    std::uint64_t hash;  // kept, so growing never reads the names again
    const char* name;
    std::uint32_t number;  // 0 marks a free slot
    std::uint32_t length;
  };

  Slot& Probe(std::string_view name, std::uint64_t hash);
  void Grow();

  std::vector<Slot> slots_;
  std::size_t used_ = 0;
};

}  // namespace vantorel::cli
