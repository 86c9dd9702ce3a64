#include "core/coll_file.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "core/compressed_record.h"
#include "core/windows1252.h"

namespace vantorel {

namespace {

std::size_t ToSize(std::int64_t value) {
  return static_cast<std::size_t>(std::max<std::int64_t>(value, 0));
}

// Lists the records of bytes that must be whole records back to back, with offsets relative to
// the first byte.
CollDirectoryEntries ListWholeRecords(std::span<const std::uint8_t> records) {
  CollDirectoryEntries entries;
  if (ScanFile(records, entries) != ScanEnd::EndOfData) {
    throw std::invalid_argument("bytes that are not whole collision records");
  }
  if (!entries.empty()) {
    const CollDirectoryEntry& last = entries.back();
    if (ToSize(last.Offset) + ToSize(last.Size) != records.size()) {
      throw std::invalid_argument("a collision record cut short");
    }
  }
  return entries;
}

}  // namespace

std::size_t FileSplice::HeldBytes() const {
  std::size_t names = 0;
  for (const auto* entries : {&RemovedEntries, &InsertedEntries}) {
    for (const CollDirectoryEntry& entry : *entries)
      names += sizeof(CollDirectoryEntry) + entry.Name.capacity();
  }
  return sizeof(FileSplice) + Removed.capacity() + Inserted.capacity() + names;
}

ScanEnd CollFile::Load(Bytes image, const std::function<void(std::size_t)>& afterRecord) {
  image_ = std::move(image);
  return ScanFile(image_, directory_, afterRecord);
}

void CollFile::Clear() {
  image_ = Bytes();
  directory_.clear();
}

std::span<const std::uint8_t> CollFile::RecordBytes(std::size_t index) const {
  const CollDirectoryEntry& entry = Entry(index);
  const std::size_t begin = std::min(ToSize(entry.Offset), image_.size());
  const std::size_t length = std::min(ToSize(entry.Size), image_.size() - begin);
  return std::span<const std::uint8_t>(image_).subspan(begin, length);
}

bool CollFile::IsComplete(std::size_t index) const {
  const CollDirectoryEntry& entry = Entry(index);
  return entry.Offset >= 0 && ToSize(entry.Offset) <= image_.size() &&
         ToSize(entry.Size) <= image_.size() - ToSize(entry.Offset);
}

std::size_t CollFile::CoveredEnd() const {
  if (directory_.empty()) return 0;
  const CollDirectoryEntry& last = directory_.back();
  const std::size_t begin = std::min(ToSize(last.Offset), image_.size());
  return begin + std::min(ToSize(last.Size), image_.size() - begin);
}

bool CollFile::LastRecordCutShort() const {
  return !directory_.empty() && !IsComplete(directory_.size() - 1);
}

void CollFile::ReplaceRecords(std::size_t first, std::size_t count,
                              std::span<const std::uint8_t> records) {
  if (first > directory_.size() || count > directory_.size() - first) {
    throw std::out_of_range("records beyond the directory");
  }
  if (first == directory_.size() && !records.empty() && LastRecordCutShort()) {
    throw std::logic_error("records appended after a record cut short");
  }
  // Bytes taken from this very image would move under the copy; take them out first.
  Bytes own;
  if (!records.empty() && !image_.empty() && records.data() >= image_.data() &&
      records.data() < image_.data() + image_.size()) {
    own.assign(records.begin(), records.end());
    records = own;
  }
  CollDirectoryEntries entries = ListWholeRecords(records);
  const bool toTheEnd = first + count == directory_.size();
  const std::size_t begin =
      first < directory_.size() ? ToSize(directory_[first].Offset) : CoveredEnd();
  // Appending replaces the unlisted tail too; replacing records keeps it.
  const std::size_t end = !toTheEnd    ? ToSize(directory_[first + count].Offset)
                          : count == 0 ? image_.size()
                                       : CoveredEnd();
  for (CollDirectoryEntry& entry : entries)
    entry.Offset += static_cast<std::int64_t>(begin);

  // Only what really changes is spliced (and kept for undo): bytes equal at both ends of the
  // range stay where they are, and so do the entries that lie wholly in them, or, when nothing
  // moves, the entries that stay the same.
  const std::span<const std::uint8_t> old(image_.data() + begin, end - begin);
  const std::size_t shorter = std::min(old.size(), records.size());
  std::size_t prefix = 0;
  while (prefix < shorter && old[prefix] == records[prefix])
    ++prefix;
  std::size_t suffix = 0;
  while (suffix < shorter - prefix &&
         old[old.size() - 1 - suffix] == records[records.size() - 1 - suffix]) {
    ++suffix;
  }
  const std::size_t changeBegin = begin + prefix;
  const std::size_t changeEnd = end - suffix;
  const auto shift =
      static_cast<std::int64_t>(records.size()) - static_cast<std::int64_t>(old.size());
  auto sameEntry = [](const CollDirectoryEntry& a, const CollDirectoryEntry& b, std::int64_t by) {
    return a.Offset + by == b.Offset && a.Size == b.Size && a.Name == b.Name;
  };
  std::size_t keptFirst = 0;
  while (
      keptFirst < std::min(count, entries.size()) &&
      sameEntry(directory_[first + keptFirst], entries[keptFirst], 0) &&
      (shift == 0 || ToSize(entries[keptFirst].Offset + entries[keptFirst].Size) <= changeBegin)) {
    ++keptFirst;
  }
  std::size_t keptLast = 0;
  while (keptLast < std::min(count, entries.size()) - keptFirst &&
         sameEntry(directory_[first + count - 1 - keptLast], entries[entries.size() - 1 - keptLast],
                   shift) &&
         (shift == 0 || ToSize(directory_[first + count - 1 - keptLast].Offset) >= changeEnd)) {
    ++keptLast;
  }
  const std::span<const std::uint8_t> inserted =
      records.subspan(prefix, records.size() - prefix - suffix);
  const std::span<const CollDirectoryEntry> newEntries =
      std::span<const CollDirectoryEntry>(entries).subspan(keptFirst,
                                                           entries.size() - keptFirst - keptLast);
  Remember(changeBegin, changeEnd - changeBegin, inserted, first + keptFirst,
           count - keptFirst - keptLast, newEntries);
  Splice(changeBegin, changeEnd - changeBegin, inserted, first + keptFirst,
         count - keptFirst - keptLast, newEntries);
}

void CollFile::DropTail() {
  const std::size_t end = CoveredEnd();
  if (end == image_.size()) return;
  Remember(end, image_.size() - end, {}, directory_.size(), 0, {});
  Splice(end, image_.size() - end, {}, directory_.size(), 0, {});
}

void CollFile::Redo(const FileSplice& splice) {
  Remember(splice.Offset, splice.Removed.size(), splice.Inserted, splice.FirstEntry,
           splice.RemovedEntries.size(), splice.InsertedEntries);
  Splice(splice.Offset, splice.Removed.size(), splice.Inserted, splice.FirstEntry,
         splice.RemovedEntries.size(), splice.InsertedEntries);
}

void CollFile::Revert(const FileSplice& splice) {
  Remember(splice.Offset, splice.Inserted.size(), splice.Removed, splice.FirstEntry,
           splice.InsertedEntries.size(), splice.RemovedEntries);
  Splice(splice.Offset, splice.Inserted.size(), splice.Removed, splice.FirstEntry,
         splice.InsertedEntries.size(), splice.RemovedEntries);
}

void CollFile::SetRecording(bool on) {
  recording_ = on;
  if (!on) recorded_.clear();
}

std::vector<FileSplice> CollFile::TakeRecorded() {
  return std::exchange(recorded_, {});
}

void CollFile::Remember(std::size_t offset, std::size_t removedLength,
                        std::span<const std::uint8_t> inserted, std::size_t first,
                        std::size_t removedEntries,
                        std::span<const CollDirectoryEntry> insertedEntries) {
  if (!recording_) return;
  if (offset > image_.size() || removedLength > image_.size() - offset ||
      first > directory_.size() || removedEntries > directory_.size() - first) {
    throw std::out_of_range("a file change outside the file");
  }
  FileSplice splice;
  splice.Offset = offset;
  const auto removedBegin = image_.begin() + static_cast<std::ptrdiff_t>(offset);
  splice.Removed.assign(removedBegin, removedBegin + static_cast<std::ptrdiff_t>(removedLength));
  splice.Inserted.assign(inserted.begin(), inserted.end());
  splice.FirstEntry = first;
  const auto entriesBegin = directory_.begin() + static_cast<std::ptrdiff_t>(first);
  splice.RemovedEntries.assign(entriesBegin,
                               entriesBegin + static_cast<std::ptrdiff_t>(removedEntries));
  splice.InsertedEntries.assign(insertedEntries.begin(), insertedEntries.end());
  recorded_.push_back(std::move(splice));
}

void CollFile::Splice(std::size_t offset, std::size_t removedLength,
                      std::span<const std::uint8_t> inserted, std::size_t first,
                      std::size_t removedEntries,
                      std::span<const CollDirectoryEntry> insertedEntries) {
  if (offset > image_.size() || removedLength > image_.size() - offset ||
      first > directory_.size() || removedEntries > directory_.size() - first) {
    throw std::out_of_range("a file change outside the file");
  }
  // Everything that can fail happens before the first byte changes: the new entries are copied
  // and the directory's room is reserved, and growing the image either succeeds or leaves it as
  // it was.
  CollDirectoryEntries newEntries(insertedEntries.begin(), insertedEntries.end());
  directory_.reserve(directory_.size() - removedEntries + newEntries.size());

  const auto at = image_.begin() + static_cast<std::ptrdiff_t>(offset);
  if (inserted.size() > removedLength) {
    image_.insert(at + static_cast<std::ptrdiff_t>(removedLength),
                  inserted.begin() + static_cast<std::ptrdiff_t>(removedLength), inserted.end());
    if (removedLength > 0) std::memmove(&image_[offset], inserted.data(), removedLength);
  } else {
    if (!inserted.empty()) std::memmove(&image_[offset], inserted.data(), inserted.size());
    const auto eraseFrom = at + static_cast<std::ptrdiff_t>(inserted.size());
    image_.erase(eraseFrom,
                 eraseFrom + static_cast<std::ptrdiff_t>(removedLength - inserted.size()));
  }

  const auto removedBegin = directory_.begin() + static_cast<std::ptrdiff_t>(first);
  directory_.erase(removedBegin, removedBegin + static_cast<std::ptrdiff_t>(removedEntries));
  directory_.insert(directory_.begin() + static_cast<std::ptrdiff_t>(first),
                    std::make_move_iterator(newEntries.begin()),
                    std::make_move_iterator(newEntries.end()));
  const auto shift =
      static_cast<std::int64_t>(inserted.size()) - static_cast<std::int64_t>(removedLength);
  if (shift == 0) return;
  for (std::size_t i = first + newEntries.size(); i < directory_.size(); ++i)
    directory_[i].Offset += shift;
}

WriteResult WriteColl(CollFile& file, std::size_t index, Coll& coll, std::string* whyNot) {
  if (index >= file.Count()) return WriteResult::NoSuchRecord;
  if (!FitsRecordFields(coll)) {
    if (whyNot) *whyNot = RecordFitProblem(coll);
    return WriteResult::TooLarge;
  }
  try {
    RecalcCollSize(coll);
    StampEditorId(coll.Header);
    Bytes record(RecordLength(coll));
    EncodeColl(coll, record.data());
    file.DropTail();
    file.ReplaceRecords(index, 1, record);
  } catch (const std::bad_alloc&) {
    return WriteResult::OutOfMemory;
  }
  return WriteResult::Ok;
}

}  // namespace vantorel

namespace vantorel {

std::string RecordFitProblem(const Coll& coll) {
  if (coll.Version() >= 2) {
    if (auto problem = CompressedRecordProblem(coll)) return *problem;
    return {};
  }
  if (FitsRecordFields(coll)) return {};
  return "coll \"" + Windows1252ToUtf8(HeaderName(coll.Header)) +
         "\" is too large for one record: " + std::to_string(coll.Vertices.size()) + " vertices, " +
         std::to_string(coll.Faces.size()) + " faces";
}

}  // namespace vantorel
