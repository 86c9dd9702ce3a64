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

std::size_t RecordLength(const Coll& coll) {
  return kEmptyRecordBytes + kSphereBytes * coll.Spheres.size() + kBoxBytes * coll.Boxes.size() +
         kVertexBytes * coll.Vertices.size() + kFaceBytes * coll.Faces.size();
}

void RecalcCollSize(Coll& coll) {
  coll.Header.Size = static_cast<std::uint32_t>(RecordLength(coll) - 8);
}

}  // namespace vantorel
