#include "cli/coll_name_table.h"

#include <algorithm>
#include <limits>

namespace vantorel::cli {

namespace {

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::uint64_t Hash(std::string_view name) {
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (const char c : name)
    hash = (hash ^ static_cast<unsigned char>(AsciiUpper(c))) * 1099511628211ull;
  return hash ^ (hash >> 29);
}

bool SameName(const char* stored, std::size_t length, std::string_view name) {
  if (length != name.size()) return false;
  for (std::size_t i = 0; i < length; ++i) {
    if (AsciiUpper(stored[i]) != AsciiUpper(name[i])) return false;
  }
  return true;
}

}  // namespace

void CollNameTable::Prefetch(std::string_view name) const {
#if defined(__GNUC__)
  if (!slots_.empty()) __builtin_prefetch(&slots_[Hash(name) & (slots_.size() - 1)]);
#else
  (void)name;
#endif
}

std::size_t CollNameTable::FindOrAdd(std::string_view name, std::size_t collNumber) {
  // More colls than this cannot fit in memory; the guard only keeps the slot's field honest.
  if (collNumber == 0 || collNumber > std::numeric_limits<std::uint32_t>::max()) return 0;
  if (2 * (used_ + 1) > slots_.size()) Grow();
  const std::uint64_t hash = Hash(name);
  Slot& slot = Probe(name, hash);
  if (slot.number != 0) return slot.number;
  slot = {hash, name.data(), static_cast<std::uint32_t>(collNumber),
          static_cast<std::uint32_t>(name.size())};
  ++used_;
  return 0;
}

CollNameTable::Slot& CollNameTable::Probe(std::string_view name, std::uint64_t hash) {
  const std::size_t mask = slots_.size() - 1;
  for (auto i = static_cast<std::size_t>(hash) & mask;; i = (i + 1) & mask) {
    Slot& slot = slots_[i];
    if (slot.number == 0 || (slot.hash == hash && SameName(slot.name, slot.length, name))) {
      return slot;
    }
  }
}

void CollNameTable::Grow() {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(std::max<std::size_t>(1024, 2 * old.size()), Slot{});
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.number == 0) continue;
    auto i = static_cast<std::size_t>(slot.hash) & mask;
    while (slots_[i].number != 0)
      i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

}  // namespace vantorel::cli
