#include "core/coll_codec.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "core/compressed_record.h"
#include "core/little_endian.h"
#include "core/section_elements.h"

namespace vantorel {

namespace {

CollSphere LoadSphere(const std::uint8_t* p) {
  return {le::LoadF32(p), LoadVector(p + 4), LoadSurface(p + 16)};
}
CollFace LoadFace(const std::uint8_t* p) {
  return {le::LoadI32(p), le::LoadI32(p + 4), le::LoadI32(p + 8), LoadSurface(p + 12)};
}

void StoreSphere(std::uint8_t* p, const CollSphere& s) {
  le::StoreF32(p, s.Radius);
  StoreVector(p + 4, s.Center);
  StoreSurface(p + 16, s.Surface);
}
void StoreFace(std::uint8_t* p, const CollFace& f) {
  le::StoreI32(p, f.A);
  le::StoreI32(p + 4, f.B);
  le::StoreI32(p + 8, f.C);
  StoreSurface(p + 12, f.Surface);
}

// Writes the count and then the elements of one section; returns where the next one starts.
template <class T, class Store>
std::uint8_t* StoreSection(std::uint8_t* p, const std::vector<T>& elements,
                           std::size_t elementBytes, Store store) {
  le::StoreI32(p, static_cast<std::int32_t>(elements.size()));
  p += kCountBytes;
  for (const T& element : elements) {
    store(p, element);
    p += elementBytes;
  }
  return p;
}

// Where the byte range of an entry lies inside the image, cut to the image's end.
struct Extent {
  std::size_t begin;
  std::size_t end;
};
Extent ClampedExtent(const CollDirectoryEntry& entry, std::size_t imageSize) {
  const auto begin = static_cast<std::size_t>(
      std::clamp<std::int64_t>(entry.Offset, 0, static_cast<std::int64_t>(imageSize)));
  const auto length = static_cast<std::size_t>(std::max<std::int64_t>(entry.Size, 0));
  return {begin, begin + std::min(length, imageSize - begin)};
}

}  // namespace

void DecodeHeader(const std::uint8_t* bytes, CollHeader& header) {
  std::memcpy(header.FourCC.data(), bytes, 4);
  header.Size = le::LoadU32(bytes + 4);
  std::memcpy(header.Name.data(), bytes + 8, 20);
  std::memcpy(header.Id.data(), bytes + 28, 4);
  if (header.Version() >= 2) {
    DecodeCompressedBounds(bytes, header);
    return;
  }
  header.BoundingRadius = le::LoadF32(bytes + 32);
  header.BoundingCenter = LoadVector(bytes + 36);
  header.BoundingMin = LoadVector(bytes + 48);
  header.BoundingMax = LoadVector(bytes + 60);
}

void EncodeHeader(const CollHeader& header, std::uint8_t* bytes) {
  std::memcpy(bytes, header.FourCC.data(), 4);
  le::StoreU32(bytes + 4, header.Size);
  std::memcpy(bytes + 8, header.Name.data(), 20);
  std::memcpy(bytes + 28, header.Id.data(), 4);
  if (header.Version() >= 2) {
    EncodeCompressedBounds(header, bytes);
    return;
  }
  le::StoreF32(bytes + 32, header.BoundingRadius);
  StoreVector(bytes + 36, header.BoundingCenter);
  StoreVector(bytes + 48, header.BoundingMin);
  StoreVector(bytes + 60, header.BoundingMax);
}

ScanEnd ScanFile(std::span<const std::uint8_t> image, CollDirectoryEntries& directory,
                 const std::function<void(std::size_t position)>& afterRecord) {
  directory.clear();
  std::size_t pos = 0;
  const std::size_t size = image.size();
  while (pos < size) {
    const std::size_t left = size - pos;
    const RecordLayout* layout = left >= 4 ? LayoutOfFourCC(image.data() + pos) : nullptr;
    if (!layout) return ScanEnd::NotColl;
    if (left < layout->HeaderBytes) return ScanEnd::Damaged;
    const std::uint64_t recordBytes = std::uint64_t{le::LoadU32(image.data() + pos + 4)} + 8;
    if (recordBytes < layout->HeaderBytes) return ScanEnd::Damaged;

    CollDirectoryEntry entry;
    const char* name = reinterpret_cast<const char*>(image.data() + pos + kNameOffset);
    entry.Name.assign(name, strnlen(name, layout->NameBytes));
    entry.Offset = static_cast<std::int64_t>(pos);
    entry.Size = static_cast<std::int64_t>(recordBytes);
    entry.Version = layout->Version;
    directory.push_back(std::move(entry));
    if (recordBytes >= left)
      pos = size;  // a record running past the end is listed and ends the scan
    else
      pos += static_cast<std::size_t>(recordBytes);
    if (afterRecord) afterRecord(pos);
  }
  return ScanEnd::EndOfData;
}

namespace {

// Reads into coll without emptying it first: the sections overwrite what the coll read before
// held, which spares zeroing every element (see LoadSection). On failure the caller empties it.
ReadResult ReadOver(std::span<const std::uint8_t> image, const CollDirectoryEntry& entry,
                    Coll& coll) {
  const Extent extent = ClampedExtent(entry, image.size());
  const std::uint8_t* record = image.data() + extent.begin;
  const RecordLayout* layout = extent.end - extent.begin >= 4 ? LayoutOfFourCC(record) : nullptr;
  if (!layout) return ReadResult::NoCollisionData;
  // A header that cannot be read whole holds no coll the editor could show.
  if (extent.end - extent.begin < layout->HeaderBytes) return ReadResult::Damaged;
  coll.Header = {};
  DecodeHeader(record, coll.Header);
  // The record ends where its Size says, or at the end of the image if that comes first.
  const std::size_t recordEnd =
      std::min<std::uint64_t>(extent.begin + std::uint64_t{coll.Header.Size} + 8, image.size());
  RecordSections sections;
  if (LocateSections(*layout, image.subspan(extent.begin, recordEnd - extent.begin), sections)) {
    return ReadResult::Damaged;
  }
  if (layout->Placement == SectionPlacement::OffsetTable) {
    LoadCompressedSections(record, sections, coll);
    return ReadResult::Ok;
  }
  LoadSection(record, sections[Section::Spheres], coll.Spheres, LoadSphere);
  LoadSection(record, sections[Section::Boxes], coll.Boxes, LoadBox);
  LoadSection(record, sections[Section::Vertices], coll.Vertices, LoadVector);
  LoadSection(record, sections[Section::Faces], coll.Faces, LoadFace);
  coll.FaceGroups.clear();
  coll.ShadowVertices.clear();
  coll.ShadowFaces.clear();
  coll.Col4Extra = 0;
  return ReadResult::Ok;
}

}  // namespace

ReadResult ReadColl(std::span<const std::uint8_t> image, const CollDirectoryEntry& entry,
                    Coll& coll) {
  const ReadResult result = ReadOver(image, entry, coll);
  if (result != ReadResult::Ok) coll.Clear();
  return result;
}

void EncodeColl(const Coll& coll, std::uint8_t* out) {
  if (coll.Version() >= 2) {
    EncodeCompressedColl(coll, out);
    return;
  }
  EncodeHeader(coll.Header, out);
  std::uint8_t* p = out + kCollLayout.HeaderBytes;
  for (const SectionFormat& format : kCollLayout.Sections) {
    const std::size_t bytes = format.ElementBytes;
    switch (format.Section) {
      case Section::Spheres:
        p = StoreSection(p, coll.Spheres, bytes, StoreSphere);
        break;
      case Section::Unused:
        le::StoreI32(p, 0);  // this format never stores elements of that kind
        p += kCountBytes;
        break;
      case Section::Boxes:
        p = StoreSection(p, coll.Boxes, bytes, StoreBox);
        break;
      case Section::Vertices:
        p = StoreSection(p, coll.Vertices, bytes, StoreVector);
        break;
      case Section::Faces:
        p = StoreSection(p, coll.Faces, bytes, StoreFace);
        break;
      case Section::FaceGroups:
      case Section::ShadowVertices:
      case Section::ShadowFaces:
        break;  // not in this layout
    }
  }
}

bool RecordFieldsFit(std::size_t spheres, std::size_t boxes, std::size_t vertices,
                     std::size_t faces) {
  constexpr std::size_t kMaxCount = static_cast<std::size_t>(INT32_MAX);
  if (spheres > kMaxCount || boxes > kMaxCount || vertices > kMaxCount || faces > kMaxCount) {
    return false;
  }
  // Each count fits, so the sum cannot overflow a 64-bit size.
  SectionCounts counts{};
  counts[static_cast<std::size_t>(Section::Spheres)] = spheres;
  counts[static_cast<std::size_t>(Section::Boxes)] = boxes;
  counts[static_cast<std::size_t>(Section::Vertices)] = vertices;
  counts[static_cast<std::size_t>(Section::Faces)] = faces;
  const std::uint64_t length = RecordBytes(kCollLayout, counts);
  return length - 8 <= std::uint64_t{UINT32_MAX};
}

bool FitsRecordFields(const Coll& coll) {
  if (coll.Version() >= 2) return !CompressedRecordProblem(coll);
  return RecordFieldsFit(coll.Spheres.size(), coll.Boxes.size(), coll.Vertices.size(),
                         coll.Faces.size());
}

void StampEditorId(CollHeader& header) {
  // The San Andreas kinds hold the name's last bytes and the model ID there.
  if (header.Version() >= 2) return;
  if (NameFieldTerminated(header)) header.Id = kEditorId;
}

}  // namespace vantorel
