#include "cli/coll_arguments.h"

#include "core/windows1252.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace vantorel::cli {

namespace {

struct Range {
  std::size_t first;
  std::size_t last;
};

// Reads the decimal number that makes up the whole of text.
std::optional<std::size_t> ParseIndex(std::string_view item, std::string_view text,
                                      std::string& error) {
  if (text.empty()) {
    error = "\"" + std::string(item) + "\" is not an index or a range";
    return std::nullopt;
  }
  if (text[0] == '-' || text[0] == '+') {
    error = "\"" + std::string(item) + "\": indices are not signed";
    return std::nullopt;
  }
  std::size_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec == std::errc::result_out_of_range) {
    error = "\"" + std::string(item) + "\": number too large";
    return std::nullopt;
  }
  if (ec != std::errc() || ptr != end) {
    error = "\"" + std::string(item) + "\" is not an index or a range";
    return std::nullopt;
  }
  return value;
}

std::optional<Range> ParseItem(std::string_view item, std::size_t elementCount,
                               std::string& error) {
  // A leading '-' is a sign, not a range: "-3" and "-3-5" are refused as negative.
  const std::size_t dash = item.find('-', 1);
  std::optional<std::size_t> first;
  std::optional<std::size_t> last;
  if (dash == std::string_view::npos) {
    first = ParseIndex(item, item, error);
    last = first;
  } else {
    first = ParseIndex(item, item.substr(0, dash), error);
    if (first) last = ParseIndex(item, item.substr(dash + 1), error);
  }
  if (!first || !last) return std::nullopt;
  if (*last < *first) {
    error = "\"" + std::string(item) + "\": the range runs backwards";
    return std::nullopt;
  }
  if (*last >= elementCount) {
    error = "\"" + std::string(item) + "\": there is no element " + std::to_string(*last) + " (" +
            (elementCount == 0 ? std::string("there are no elements")
                               : "the last is " + std::to_string(elementCount - 1)) +
            ")";
    return std::nullopt;
  }
  return Range{*first, *last};
}

}  // namespace

std::optional<std::size_t> FindColl(const CollDirectoryEntries& directory, std::string_view key) {
  if (key.size() > 1 && key[0] == '#') {
    std::size_t number = 0;
    const char* end = key.data() + key.size();
    const auto [ptr, ec] = std::from_chars(key.data() + 1, end, number);
    if (ec == std::errc() && ptr == end && number >= 1 && number <= directory.size()) {
      return number - 1;
    }
    return std::nullopt;
  }
  // The command line is UTF-8, the names in the file are Windows-1252.
  const std::string stored = Utf8ToWindows1252(key);
  for (std::size_t i = 0; i < directory.size(); ++i) {
    if (directory[i].Name == stored || directory[i].Name == key) return i;
  }
  return std::nullopt;
}

ElementList ParseElementList(std::string_view text, std::size_t elementCount) {
  ElementList result;
  if (text.empty()) {
    result.error = "the element list is empty";
    return result;
  }
  std::vector<Range> ranges;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    const std::string_view item = text.substr(
        start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    if (item.empty()) {
      result.error = "the element list has an empty item";
      return result;
    }
    const auto range = ParseItem(item, elementCount, result.error);
    if (!range) return result;
    ranges.push_back(*range);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  // Every range lies below elementCount, so the merged indices never outnumber the elements.
  std::sort(ranges.begin(), ranges.end(),
            [](const Range& a, const Range& b) { return a.first < b.first; });
  std::size_t next = 0;  // the first index not yet taken
  for (const Range& range : ranges) {
    for (std::size_t i = std::max(range.first, next); i <= range.last; ++i)
      result.indices.push_back(i);
    next = std::max(next, range.last + 1);
  }
  return result;
}

}  // namespace vantorel::cli
