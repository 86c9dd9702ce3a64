#include "core/record_layout.h"

#include <algorithm>
#include <cstring>

#include "core/little_endian.h"

namespace vantorel {

namespace {

using Fault = SectionProblem::Fault;

constexpr const RecordLayout* kLayouts[] = {&kCollLayout, &kCol2Layout, &kCol3Layout, &kCol4Layout};

std::size_t Index(Section section) {
  return static_cast<std::size_t>(section);
}

std::size_t PadTo4(std::size_t bytes) {
  return (bytes + 3) & ~std::size_t{3};
}

std::uint64_t LoadCount(const std::uint8_t* p, std::size_t bytes) {
  return bytes == 2 ? std::uint64_t{le::LoadU16(p)} : std::uint64_t{le::LoadU32(p)};
}

SectionProblem LocateCounted(const RecordLayout& layout, std::span<const std::uint8_t> record,
                             RecordSections& sections) {
  const std::size_t end = record.size();
  std::size_t pos = layout.HeaderBytes;
  for (const SectionFormat& format : layout.Sections) {
    if (pos > end || end - pos < kCountBytes) return {Fault::CountCutOff, format.Section};
    const std::int32_t stored = le::LoadI32(record.data() + pos);
    pos += kCountBytes;
    SectionSpan& span = sections.Spans[Index(format.Section)];
    span.Offset = pos;
    span.ElementBytes = format.ElementBytes;
    span.StoredCount = stored;
    if (format.ElementBytes == 0) continue;
    const std::size_t room = (end - pos) / format.ElementBytes;
    if (stored < 0) return {Fault::CountNegative, format.Section, stored, room};
    if (static_cast<std::size_t>(stored) > room) {
      return {Fault::CountTooLarge, format.Section, stored, room};
    }
    span.Count = static_cast<std::size_t>(stored);
    pos += span.Count * format.ElementBytes;
  }
  sections.Length = pos;
  return {};
}

// The sections of an offset-table record, found one by one; each is checked against the record
// before the next one reads anything through it.
class OffsetTableReader {
 public:
  OffsetTableReader(const RecordLayout& layout, std::span<const std::uint8_t> record,
                    RecordSections& sections)
      : layout_(layout), record_(record), sections_(sections) {
    for (const SectionFormat& format : layout.Sections)
      formats_[Index(format.Section)] = &format;
  }

  SectionProblem Locate() {
    if (record_.size() < layout_.HeaderBytes) return {Fault::HeaderCutOff};
    const std::uint32_t flags = le::LoadU32(record_.data() + sa_header::kFlags);
    for (const Section section : {Section::Spheres, Section::Boxes, Section::Faces}) {
      const SectionFormat& format = Format(section);
      const std::uint64_t count = LoadCount(record_.data() + format.CountField, format.CountBytes);
      if (SectionProblem problem = Place(format, count, StoredOffset(format))) return problem;
    }
    if (SectionProblem problem = Place(Format(Section::Vertices), VerticesUsedBy(Section::Faces),
                                       StoredOffset(Format(Section::Vertices)))) {
      return problem;
    }
    if ((flags & sa_header::kFlagFaceGroups) != 0 && sections_[Section::Faces].Count > 0) {
      if (SectionProblem problem = PlaceFaceGroups()) return problem;
    }
    if (HasFormat(Section::ShadowFaces)) {
      const SectionFormat& faces = Format(Section::ShadowFaces);
      const SectionFormat& vertices = Format(Section::ShadowVertices);
      const std::uint64_t count = LoadCount(record_.data() + faces.CountField, faces.CountBytes);
      // As the game does: a shadow mesh is there only with a count and both offsets.
      if (count > 0 && StoredOffset(faces) != 0 && StoredOffset(vertices) != 0) {
        if (SectionProblem problem = Place(faces, count, StoredOffset(faces))) return problem;
        if (SectionProblem problem =
                Place(vertices, VerticesUsedBy(Section::ShadowFaces), StoredOffset(vertices))) {
          return problem;
        }
      }
    }
    return CheckOverlaps();
  }

 private:
  bool HasFormat(Section section) const { return formats_[Index(section)] != nullptr; }
  const SectionFormat& Format(Section section) const { return *formats_[Index(section)]; }
  std::uint32_t StoredOffset(const SectionFormat& format) const {
    return le::LoadU32(record_.data() + format.OffsetField);
  }

  SectionProblem Place(const SectionFormat& format, std::uint64_t count, std::uint32_t stored) {
    SectionSpan& span = sections_.Spans[Index(format.Section)];
    span.ElementBytes = format.ElementBytes;
    span.StoredCount = static_cast<std::int32_t>(std::min<std::uint64_t>(count, INT32_MAX));
    if (count == 0) return {};  // any offset, 0 included, is accepted for an empty section
    if (stored == 0) return {Fault::OffsetMissing, format.Section, 0};
    const std::uint64_t start = std::uint64_t{stored} + sa_header::kOffsetBase;
    if (start < layout_.HeaderBytes || start > record_.size()) {
      return {Fault::OffsetOutside, format.Section, stored};
    }
    const std::size_t room = (record_.size() - start) / format.ElementBytes;
    if (count > room) {
      return {Fault::CountTooLarge, format.Section, static_cast<std::int64_t>(count), room};
    }
    span.Offset = static_cast<std::size_t>(start);
    span.Count = static_cast<std::size_t>(count);
    return {};
  }

  // The highest vertex index the faces of section use, plus 1; 0 without faces.
  std::uint64_t VerticesUsedBy(Section faces) const {
    const SectionSpan& span = sections_[faces];
    unsigned highest = 0;
    const std::uint8_t* p = record_.data() + span.Offset;
    for (std::size_t i = 0; i < span.Count; ++i, p += span.ElementBytes) {
      const unsigned ab = std::max<unsigned>(le::LoadU16(p), le::LoadU16(p + 2));
      highest = std::max(highest, std::max<unsigned>(ab, le::LoadU16(p + 4)));
    }
    return span.Count == 0 ? 0 : std::uint64_t{highest} + 1;
  }

  // The groups end with their count in the 4 bytes before the faces; no offset points at them.
  SectionProblem PlaceFaceGroups() {
    const SectionFormat& format = Format(Section::FaceGroups);
    const std::size_t faces = sections_[Section::Faces].Offset;
    if (faces < layout_.HeaderBytes + kFaceGroupCountBytes) {
      return {Fault::CountCutOff, Section::FaceGroups};
    }
    const std::size_t countAt = faces - kFaceGroupCountBytes;
    const std::uint32_t count = le::LoadU32(record_.data() + countAt);
    const std::size_t room = (countAt - layout_.HeaderBytes) / format.ElementBytes;
    if (count > room) return {Fault::CountTooLarge, Section::FaceGroups, count, room};
    SectionSpan& span = sections_.Spans[Index(Section::FaceGroups)];
    span.ElementBytes = format.ElementBytes;
    span.StoredCount = static_cast<std::int32_t>(count);
    span.Count = count;
    span.Offset = countAt - count * format.ElementBytes;
    groupsEnd_ = faces;  // the count belongs to the groups
    return {};
  }

  SectionProblem CheckOverlaps() {
    struct Extent {
      std::size_t begin;
      std::size_t end;
      Section section;
    };
    std::array<Extent, kSectionKinds> extents{};
    std::size_t used = 0;
    std::size_t length = layout_.HeaderBytes;
    for (std::size_t i = 0; i < kSectionKinds; ++i) {
      const SectionSpan& span = sections_.Spans[i];
      const auto section = static_cast<Section>(i);
      std::size_t end = span.Offset + span.Count * span.ElementBytes;
      if (section == Section::FaceGroups && groupsEnd_ != 0) end = groupsEnd_;
      if (end == span.Offset) continue;
      extents[used++] = {span.Offset, end, section};
      length = std::max(length, end);
    }
    // At most seven sections: every pair is compared; the later-starting one is reported.
    for (std::size_t i = 0; i < used; ++i) {
      for (std::size_t j = i + 1; j < used; ++j) {
        const Extent& a = extents[i];
        const Extent& b = extents[j];
        if (a.begin >= b.end || b.begin >= a.end) continue;
        const Extent& later = b.begin >= a.begin ? b : a;
        return {Fault::Overlap, later.section,
                static_cast<std::int64_t>(later.begin - sa_header::kOffsetBase)};
      }
    }
    sections_.Length = length;
    return {};
  }

  const RecordLayout& layout_;
  std::span<const std::uint8_t> record_;
  RecordSections& sections_;
  std::size_t groupsEnd_ = 0;
  std::array<const SectionFormat*, kSectionKinds> formats_{};
};

}  // namespace

namespace {

constexpr std::uint32_t Tag(const std::array<char, 4>& fourCC) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(fourCC[0])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(fourCC[1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(fourCC[2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(fourCC[3])) << 24;
}

}  // namespace

// Asked for every record a scan passes and every coll read, so one comparison of 32 bits each.
const RecordLayout* LayoutOfFourCC(const std::uint8_t* fourCC) {
  switch (le::LoadU32(fourCC)) {
    case Tag(kCollLayout.FourCC):
      return &kCollLayout;
    case Tag(kCol2Layout.FourCC):
      return &kCol2Layout;
    case Tag(kCol3Layout.FourCC):
      return &kCol3Layout;
    case Tag(kCol4Layout.FourCC):
      return &kCol4Layout;
    default:
      return nullptr;
  }
}

const RecordLayout* LayoutOfVersion(int version) {
  return version >= 1 && version <= 4 ? kLayouts[version - 1] : nullptr;
}

RecordSections PlanSections(const RecordLayout& layout, const SectionCounts& counts) {
  RecordSections plan;
  std::size_t pos = layout.HeaderBytes;
  for (const SectionFormat& format : layout.Sections) {
    const std::size_t count = static_cast<std::size_t>(counts[Index(format.Section)]);
    SectionSpan& span = plan.Spans[Index(format.Section)];
    span.ElementBytes = format.ElementBytes;
    span.Count = format.ElementBytes == 0 ? 0 : count;
    span.StoredCount = static_cast<std::int32_t>(span.Count);
    if (layout.Placement == SectionPlacement::CountedInline) {
      pos += kCountBytes;
      span.Offset = pos;
      pos += span.Count * format.ElementBytes;
      continue;
    }
    if (span.Count == 0) continue;
    span.Offset = pos;
    pos += span.Count * format.ElementBytes;
    if (format.Section == Section::FaceGroups) pos += kFaceGroupCountBytes;
    if (format.Section == Section::Vertices || format.Section == Section::ShadowVertices) {
      pos = PadTo4(pos);
    }
  }
  plan.Length = pos;
  return plan;
}

SectionProblem LocateSections(const RecordLayout& layout, std::span<const std::uint8_t> record,
                              RecordSections& sections) {
  sections = {};
  if (layout.Placement == SectionPlacement::CountedInline) {
    return LocateCounted(layout, record, sections);
  }
  return OffsetTableReader(layout, record, sections).Locate();
}

}  // namespace vantorel
