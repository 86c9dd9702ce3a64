#include "core/coll_records.h"

#include <algorithm>

namespace vantorel {

std::string HeaderName(const CollHeader& header) {
  const auto end = std::find(header.Name.begin(), header.Name.end(), '\0');
  return std::string(header.Name.begin(), end);
}

bool NameFieldTerminated(const CollHeader& header) {
  return std::find(header.Name.begin(), header.Name.end(), '\0') != header.Name.end();
}

void SetHeaderName(CollHeader& header, const std::string& name) {
  header.Name.fill('\0');
  std::copy_n(name.begin(), std::min(name.size(), header.Name.size()), header.Name.begin());
}

SectionCounts CollSectionCounts(const Coll& coll) {
  SectionCounts counts{};
  counts[static_cast<std::size_t>(Section::Spheres)] = coll.Spheres.size();
  counts[static_cast<std::size_t>(Section::Boxes)] = coll.Boxes.size();
  counts[static_cast<std::size_t>(Section::Vertices)] = coll.Vertices.size();
  counts[static_cast<std::size_t>(Section::Faces)] = coll.Faces.size();
  return counts;
}

std::size_t RecordLength(const Coll& coll) {
  return static_cast<std::size_t>(RecordBytes(kCollLayout, CollSectionCounts(coll)));
}

void RecalcCollSize(Coll& coll) {
  coll.Header.Size = static_cast<std::uint32_t>(RecordLength(coll) - 8);
}

}  // namespace vantorel
