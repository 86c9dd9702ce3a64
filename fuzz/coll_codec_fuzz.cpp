// Any bytes as a collision file: scan, read every coll, write it back, read it again. Nothing may
// crash, leak or read outside the image, and a coll written back must read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/coll_codec.h"
#include "edit/collision_script.h"
#include "ops/brief_info.h"

namespace {

using namespace vantorel;

Bytes Encoded(const Coll& coll) {
  Bytes bytes(RecordLength(coll));
  EncodeColl(coll, bytes.data());
  return bytes;
}

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes image(data, data + size);
  CollDirectoryEntries directory;
  ScanFile(image, directory);

  // Enough colls to reach deep into a file without making each run slow.
  const std::size_t limit = std::min<std::size_t>(directory.size(), 16);
  for (std::size_t i = 0; i < limit; ++i) {
    CollDirectoryEntries entries = directory;
    Coll coll;
    if (ReadColl(image, entries[i], coll) != ReadResult::Ok) {
      Require(!coll.IsLoaded());
      continue;
    }
    (void)BuildBriefInfo(coll, static_cast<int>(i), static_cast<int>(entries.size()),
                         entries[i].Offset, ',');
    (void)BuildCollisionScript(coll, "now", '.');

    Bytes written = image;
    Require(WriteColl(written, entries, i, coll));
    CollDirectoryEntries rescanned;
    ScanFile(written, rescanned);
    Require(rescanned.size() > i);
    Require(rescanned[i].Offset == entries[i].Offset && rescanned[i].Size == entries[i].Size);
    Coll again;
    Require(ReadColl(written, rescanned[i], again) == ReadResult::Ok);
    Require(Encoded(again) == Encoded(coll));
  }
  return 0;
}
