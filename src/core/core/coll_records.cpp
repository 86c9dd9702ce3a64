#include "core/coll_records.h"

#include <algorithm>

namespace vantorel {

namespace {

// The name field of the header's kind, as one run of bytes.
std::array<char, 22> NameBytes(const CollHeader& header) {
  std::array<char, 22> bytes{};
  std::copy(header.Name.begin(), header.Name.end(), bytes.begin());
  bytes[20] = static_cast<char>(header.Id[0]);
  bytes[21] = static_cast<char>(header.Id[1]);
  return bytes;
}

}  // namespace

int CollVersion(const std::array<char, 4>& fourCC) {
  const RecordLayout* layout = LayoutOfFourCC(reinterpret_cast<const std::uint8_t*>(fourCC.data()));
  return layout ? layout->Version : 0;
}

std::size_t NameFieldBytes(const CollHeader& header) {
  return header.Version() >= 2 ? 22 : header.Name.size();
}

std::string HeaderName(const CollHeader& header) {
  const std::array<char, 22> bytes = NameBytes(header);
  const auto field = bytes.begin() + static_cast<std::ptrdiff_t>(NameFieldBytes(header));
  return std::string(bytes.begin(), std::find(bytes.begin(), field, '\0'));
}

bool NameFieldTerminated(const CollHeader& header) {
  const std::array<char, 22> bytes = NameBytes(header);
  const auto field = bytes.begin() + static_cast<std::ptrdiff_t>(NameFieldBytes(header));
  return std::find(bytes.begin(), field, '\0') != field;
}

void SetHeaderName(CollHeader& header, const std::string& name) {
  header.Name.fill('\0');
  std::copy_n(name.begin(), std::min(name.size(), header.Name.size()), header.Name.begin());
  if (header.Version() < 2) return;
  for (std::size_t i = 20; i < 22; ++i)
    header.Id[i - 20] = i < name.size() ? static_cast<std::uint8_t>(name[i]) : 0;
}

SectionCounts CollSectionCounts(const Coll& coll) {
  SectionCounts counts{};
  counts[static_cast<std::size_t>(Section::Spheres)] = coll.Spheres.size();
  counts[static_cast<std::size_t>(Section::Boxes)] = coll.Boxes.size();
  counts[static_cast<std::size_t>(Section::Vertices)] = coll.Vertices.size();
  counts[static_cast<std::size_t>(Section::Faces)] = coll.Faces.size();
  if (coll.Version() >= 2) {
    // Face groups are found from the faces, so without faces there are none to write.
    counts[static_cast<std::size_t>(Section::FaceGroups)] =
        coll.Faces.empty() ? 0 : coll.FaceGroups.size();
    // Shadow vertices are found through the shadow faces in the same way.
    counts[static_cast<std::size_t>(Section::ShadowVertices)] =
        coll.ShadowFaces.empty() ? 0 : coll.ShadowVertices.size();
    counts[static_cast<std::size_t>(Section::ShadowFaces)] = coll.ShadowFaces.size();
  }
  return counts;
}

const RecordLayout& LayoutOf(const Coll& coll) {
  const RecordLayout* layout = LayoutOfVersion(coll.Version());
  return layout ? *layout : kCollLayout;
}

std::size_t RecordLength(const Coll& coll) {
  return static_cast<std::size_t>(RecordBytes(LayoutOf(coll), CollSectionCounts(coll)));
}

void RecalcCollSize(Coll& coll) {
  coll.Header.Size = static_cast<std::uint32_t>(RecordLength(coll) - 8);
}

}  // namespace vantorel
