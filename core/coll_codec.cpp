#include "core/coll_codec.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "core/little_endian.h"

namespace vantorel {

namespace {

Vector3 LoadVector(const std::uint8_t* p) {
  return {le::LoadF32(p), le::LoadF32(p + 4), le::LoadF32(p + 8)};
}
void StoreVector(std::uint8_t* p, const Vector3& v) {
  le::StoreF32(p, v.X);
  le::StoreF32(p + 4, v.Y);
  le::StoreF32(p + 8, v.Z);
}
Surface LoadSurface(const std::uint8_t* p) {
  return {p[0], p[1], p[2], p[3]};
}
void StoreSurface(std::uint8_t* p, const Surface& s) {
  p[0] = s.Material;
  p[1] = s.Parameter;
  p[2] = s.Byte2;
  p[3] = s.Byte3;
}

CollSphere LoadSphere(const std::uint8_t* p) {
  return {le::LoadF32(p), LoadVector(p + 4), LoadSurface(p + 16)};
}
CollBox LoadBox(const std::uint8_t* p) {
  return {LoadVector(p), LoadVector(p + 12), LoadSurface(p + 24)};
}
CollFace LoadFace(const std::uint8_t* p) {
  return {le::LoadI32(p), le::LoadI32(p + 4), le::LoadI32(p + 8), LoadSurface(p + 12)};
}

// Reads forward through the bytes of one record and never beyond them.
class RecordReader {
 public:
  RecordReader(const std::uint8_t* begin, const std::uint8_t* end) : pos_(begin), end_(end) {}

  bool ReadInt(std::int32_t& value) {
    if (Remaining() < 4) return false;
    value = le::LoadI32(pos_);
    pos_ += 4;
    return true;
  }

  // Reads a count and then that many elements of elementBytes each, refusing counts that are
  // negative or larger than what is left before anything is allocated.
  template <class T, class Load>
  bool ReadArray(std::vector<T>& out, std::size_t elementBytes, Load load) {
    std::int32_t count = 0;
    if (!ReadInt(count) || count < 0) return false;
    if (static_cast<std::size_t>(count) > Remaining() / elementBytes) return false;
    out.resize(static_cast<std::size_t>(count));
    for (T& element : out) {
      element = load(pos_);
      pos_ += elementBytes;
    }
    return true;
  }

 private:
  std::size_t Remaining() const { return static_cast<std::size_t>(end_ - pos_); }

  const std::uint8_t* pos_;
  const std::uint8_t* end_;
};

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
    const bool startsWithColl =
        left >= 4 && std::memcmp(image.data() + pos, kCollFourCC.data(), 4) == 0;
    if (!startsWithColl) return ScanEnd::NotColl;
    if (left < kHeaderBytes) return ScanEnd::Damaged;
    const std::uint64_t recordBytes = std::uint64_t{le::LoadU32(image.data() + pos + 4)} + 8;
    if (recordBytes < kHeaderBytes) return ScanEnd::Damaged;

    CollDirectoryEntry entry;
    const char* name = reinterpret_cast<const char*>(image.data() + pos + 8);
    entry.Name.assign(name, strnlen(name, 20));
    entry.Offset = static_cast<std::int64_t>(pos);
    entry.Size = static_cast<std::int64_t>(recordBytes);
    directory.push_back(std::move(entry));
    if (recordBytes >= left)
      pos = size;  // a record running past the end is listed and ends the scan
    else
      pos += static_cast<std::size_t>(recordBytes);
    if (afterRecord) afterRecord(pos);
  }
  return ScanEnd::EndOfData;
}

ReadResult ReadColl(std::span<const std::uint8_t> image, const CollDirectoryEntry& entry,
                    Coll& coll) {
  coll.Clear();
  const Extent extent = ClampedExtent(entry, image.size());
  if (extent.end - extent.begin < kHeaderBytes) {
    // A header that cannot be read whole holds no coll the editor could show.
    return extent.end - extent.begin >= 4 &&
                   std::memcmp(image.data() + extent.begin, kCollFourCC.data(), 4) == 0
               ? ReadResult::Damaged
               : ReadResult::NoCollisionData;
  }
  const std::uint8_t* record = image.data() + extent.begin;
  DecodeHeader(record, coll.Header);
  if (!coll.IsLoaded()) {
    coll.Clear();
    return ReadResult::NoCollisionData;
  }
  // The record ends where its Size says, or at the end of the image if that comes first.
  const std::size_t recordEnd =
      std::min<std::uint64_t>(extent.begin + std::uint64_t{coll.Header.Size} + 8, image.size());
  RecordReader reader(record + kHeaderBytes, image.data() + recordEnd);
  std::int32_t unused = 0;
  const bool complete = reader.ReadArray(coll.Spheres, kSphereBytes, LoadSphere) &&
                        reader.ReadInt(unused) &&
                        reader.ReadArray(coll.Boxes, kBoxBytes, LoadBox) &&
                        reader.ReadArray(coll.Vertices, kVertexBytes, LoadVector) &&
                        reader.ReadArray(coll.Faces, kFaceBytes, LoadFace);
  if (!complete) {
    coll.Clear();
    return ReadResult::Damaged;
  }
  return ReadResult::Ok;
}

void EncodeColl(const Coll& coll, std::uint8_t* out) {
  EncodeHeader(coll.Header, out);
  std::uint8_t* p = out + kHeaderBytes;
  auto putInt = [&p](std::int32_t value) {
    le::StoreI32(p, value);
    p += 4;
  };
  putInt(coll.SphereCount());
  for (const CollSphere& s : coll.Spheres) {
    le::StoreF32(p, s.Radius);
    StoreVector(p + 4, s.Center);
    StoreSurface(p + 16, s.Surface);
    p += kSphereBytes;
  }
  putInt(0);  // the count of an element kind this format never uses
  putInt(coll.BoxCount());
  for (const CollBox& b : coll.Boxes) {
    StoreVector(p, b.Min);
    StoreVector(p + 12, b.Max);
    StoreSurface(p + 24, b.Surface);
    p += kBoxBytes;
  }
  putInt(coll.VertexCount());
  for (const CollVertex& v : coll.Vertices) {
    StoreVector(p, v);
    p += kVertexBytes;
  }
  putInt(coll.FaceCount());
  for (const CollFace& f : coll.Faces) {
    le::StoreI32(p, f.A);
    le::StoreI32(p + 4, f.B);
    le::StoreI32(p + 8, f.C);
    StoreSurface(p + 12, f.Surface);
    p += kFaceBytes;
  }
}

bool RecordFieldsFit(std::size_t spheres, std::size_t boxes, std::size_t vertices,
                     std::size_t faces) {
  constexpr std::size_t kMaxCount = static_cast<std::size_t>(INT32_MAX);
  if (spheres > kMaxCount || boxes > kMaxCount || vertices > kMaxCount || faces > kMaxCount) {
    return false;
  }
  // Each count fits, so the sum cannot overflow a 64-bit size.
  const std::uint64_t length = kEmptyRecordBytes + kSphereBytes * spheres + kBoxBytes * boxes +
                               kVertexBytes * vertices + kFaceBytes * faces;
  return length - 8 <= std::uint64_t{UINT32_MAX};
}

void StampEditorId(CollHeader& header) {
  if (NameFieldTerminated(header)) header.Id = kEditorId;
}

}  // namespace vantorel
