#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/byte_buffer.h"
#include "core/coll_codec.h"
#include "core/coll_directory.h"

namespace vantorel {

// One change of an open file: the bytes [Offset, Offset + Removed.size()) became Inserted, and
// the directory entries [FirstEntry, FirstEntry + RemovedEntries.size()) became InsertedEntries.
// It holds both sides, so it can be made again or taken back.
struct FileSplice {
  std::size_t Offset = 0;
  Bytes Removed;
  Bytes Inserted;
  std::size_t FirstEntry = 0;
  CollDirectoryEntries RemovedEntries;
  CollDirectoryEntries InsertedEntries;  // with the offsets they have after the change

  // Memory held by the splice, for the undo history's budget.
  std::size_t HeldBytes() const;
};

// The open file: its whole byte image and the directory of its records, kept consistent. The
// directory always lists the records the image holds, in order and without gaps: its only
// change is a splice of one byte range together with the entries of that range, so no entry
// exists without its bytes and every offset after the range moves with it.
class CollFile {
 public:
  // Takes over the bytes of a whole file and lists its records. afterRecord runs after each
  // record with the position reached.
  ScanEnd Load(Bytes image, const std::function<void(std::size_t)>& afterRecord = {});
  void Clear();

  const Bytes& Image() const { return image_; }
  const CollDirectoryEntries& Directory() const { return directory_; }
  std::size_t Count() const { return directory_.size(); }
  bool Empty() const { return directory_.empty(); }
  const CollDirectoryEntry& Entry(std::size_t index) const { return directory_.at(index); }
  // The bytes of a record, cut at the end of the image.
  std::span<const std::uint8_t> RecordBytes(std::size_t index) const;
  // Whether the whole record, as long as its Size says, lies inside the image.
  bool IsComplete(std::size_t index) const;
  // Where the listed records end; bytes after it were not accepted as records by the scan.
  std::size_t CoveredEnd() const;
  // Whether the last record's Size reaches past the end of the image (a file cut short). Its
  // Size would then claim the first bytes of anything appended, and the next scan would lose
  // the appended records, so no record may be appended while it holds.
  bool LastRecordCutShort() const;

  // Replaces the records [first, first + count) by records, which must be whole records back to
  // back (as EncodeColl writes them or as copied from a file). first == Count() appends; an
  // append also drops a tail of bytes that were not accepted as records, which would otherwise
  // stand between the old records and the new ones. Throws std::invalid_argument for bytes that
  // are not whole records, and std::logic_error for an append after a record cut short; on any
  // exception nothing has changed.
  void ReplaceRecords(std::size_t first, std::size_t count, std::span<const std::uint8_t> records);
  void RemoveRecords(std::size_t first, std::size_t count) { ReplaceRecords(first, count, {}); }
  void AppendRecords(std::span<const std::uint8_t> records) { ReplaceRecords(Count(), 0, records); }
  // Drops the bytes after the last record, if there are any.
  void DropTail();

  // Makes a splice again, or takes it back; the file must be in the state the splice left it in
  // (Revert) or found it in (Redo).
  void Redo(const FileSplice& splice);
  void Revert(const FileSplice& splice);

  // The splices made since the last call, oldest first. Only kept while recording is on, which
  // the editor turns on for each command: its undo history and its rollback are made of them.
  void SetRecording(bool on);
  std::vector<FileSplice> TakeRecorded();

 private:
  // The one primitive: bytes [offset, offset + removedLength) become inserted, entries
  // [first, first + removedEntries) become insertedEntries (absolute offsets).
  void Splice(std::size_t offset, std::size_t removedLength, std::span<const std::uint8_t> inserted,
              std::size_t first, std::size_t removedEntries,
              std::span<const CollDirectoryEntry> insertedEntries);
  // Keeps what a splice is about to change, while recording is on.
  void Remember(std::size_t offset, std::size_t removedLength,
                std::span<const std::uint8_t> inserted, std::size_t first,
                std::size_t removedEntries, std::span<const CollDirectoryEntry> insertedEntries);

  Bytes image_;
  CollDirectoryEntries directory_;
  bool recording_ = false;
  std::vector<FileSplice> recorded_;
};

enum class WriteResult {
  Ok,
  NoSuchRecord,
  TooLarge,     // a count or the record length does not fit its field, or (San Andreas kinds) a
                // coordinate outside the compressed range or an index past the vertices
  OutOfMemory,  // the file is as it was, apart from a dropped tail
};

// Writes coll back as record index in its own kind: recomputes its Size, stamps the editor's Id
// ("COLL" only), drops bytes after the last record that the scan did not accept, and puts the new
// record in place of the old one, moving the later records. Nothing is written when the coll
// does not fit its kind; whyNot, if given, then receives RecordFitProblem(coll).
WriteResult WriteColl(CollFile& file, std::size_t index, Coll& coll, std::string* whyNot = nullptr);

// Why coll cannot be written in its kind, naming the coll and the value at fault; empty when it
// can.
std::string RecordFitProblem(const Coll& coll);

}  // namespace vantorel
