// Any bytes as a collision file: scan, read every coll (of all four kinds), write it back, read it
// again, take the write back, convert it to every other kind. Nothing may crash, leak or read
// outside the image, a coll written back must read back the same, taking the change back must
// give the bytes that were there, and a conversion that succeeds must give a coll that is
// written and read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/coll_codec.h"
#include "core/coll_conversion.h"
#include "core/coll_file.h"
#include "edit/collision_script.h"
#include "ops/brief_info.h"

namespace {

using namespace vantorel;

Bytes Encoded(const Coll& coll) {
  Bytes bytes(RecordLength(coll));
  EncodeColl(coll, bytes.data());
  return bytes;
}

void Require(bool condition);

// A converted coll is stored and read back as it is.
void RequireConversionsRoundTrip(const Coll& coll) {
  for (const int version : {1, 2, 3}) {
    const CollConversion conversion = ConvertColl(coll, version);
    if (!conversion.Converted) {
      Require(!conversion.Refusal.empty());
      continue;
    }
    const Coll& converted = *conversion.Converted;
    Require(converted.Version() == version);
    if (version >= 2) Require(FitsRecordFields(converted));
    if (!FitsRecordFields(converted)) continue;
    const Bytes record = Encoded(converted);
    CollDirectoryEntries entries;
    Require(ScanFile(record, entries) == ScanEnd::EndOfData && entries.size() == 1);
    Coll again;
    Require(ReadColl(record, entries[0], again) == ReadResult::Ok);
    Require(Encoded(again) == record);
  }
}

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CollFile file;
  file.Load(Bytes(data, data + size));
  const Bytes original = file.Image();
  const CollDirectoryEntries directory = file.Directory();
  file.SetRecording(true);

  // Enough colls to reach deep into a file without making each run slow.
  const std::size_t limit = std::min<std::size_t>(directory.size(), 16);
  for (std::size_t i = 0; i < limit; ++i) {
    Coll coll;
    if (ReadColl(file.Image(), directory[i], coll) != ReadResult::Ok) {
      Require(!coll.IsLoaded());
      continue;
    }
    (void)BuildBriefInfo(coll, static_cast<int>(i), static_cast<int>(directory.size()),
                         directory[i].Offset, ',');
    (void)BuildCollisionScript(coll, "now", '.');
    RequireConversionsRoundTrip(coll);

    Require(WriteColl(file, i, coll) == WriteResult::Ok);
    CollDirectoryEntries rescanned;
    ScanFile(file.Image(), rescanned);
    Require(rescanned.size() == file.Count());
    Require(rescanned[i].Offset == directory[i].Offset && rescanned[i].Size == file.Entry(i).Size);
    Coll again;
    Require(ReadColl(file.Image(), rescanned[i], again) == ReadResult::Ok);
    Require(Encoded(again) == Encoded(coll));

    std::vector<FileSplice> splices = file.TakeRecorded();
    for (auto splice = splices.rbegin(); splice != splices.rend(); ++splice)
      file.Revert(*splice);
    file.TakeRecorded();  // taking back is recorded too
    Require(file.Image() == original);
    Require(file.Count() == directory.size());
  }
  return 0;
}
