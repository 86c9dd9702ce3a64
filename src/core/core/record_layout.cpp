#include "core/record_layout.h"

#include "core/little_endian.h"

namespace vantorel {

SectionProblem LocateSections(const RecordLayout& layout, std::span<const std::uint8_t> record,
                              RecordSections& sections) {
  using Fault = SectionProblem::Fault;
  sections = {};
  const std::size_t end = record.size();
  std::size_t pos = layout.HeaderBytes;
  for (const SectionFormat& format : layout.Sections) {
    if (pos > end || end - pos < kCountBytes) return {Fault::CountCutOff, format.Section};
    const std::int32_t stored = le::LoadI32(record.data() + pos);
    pos += kCountBytes;
    SectionSpan& span = sections.Spans[static_cast<std::size_t>(format.Section)];
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

}  // namespace vantorel
