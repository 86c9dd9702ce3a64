#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

// The RenderWare binary stream: a tree of chunks, each a 12-byte header (type, size of what
// follows, library version stamp) and then its data, which for container chunks is more chunks.
namespace vantorel::rw {

inline constexpr std::uint32_t kStruct = 0x01;
inline constexpr std::uint32_t kString = 0x02;
inline constexpr std::uint32_t kExtension = 0x03;
inline constexpr std::uint32_t kTexture = 0x06;
inline constexpr std::uint32_t kMaterial = 0x07;
inline constexpr std::uint32_t kMaterialList = 0x08;
inline constexpr std::uint32_t kFrameList = 0x0E;
inline constexpr std::uint32_t kGeometry = 0x0F;
inline constexpr std::uint32_t kClump = 0x10;
inline constexpr std::uint32_t kAtomic = 0x14;
inline constexpr std::uint32_t kGeometryList = 0x1A;
inline constexpr std::uint32_t kBinMesh = 0x050E;             // a geometry's indices by material
inline constexpr std::uint32_t kCollisionModel = 0x0253F2FA;  // the game's own colls
inline constexpr std::uint32_t kFrameName = 0x0253F2FE;

inline constexpr std::size_t kHeaderBytes = 12;
// The deepest a reader goes; the model's tree needs six levels.
inline constexpr int kMaxDepth = 12;

// The library version a stamp names, as 0xMmnbb... packed to 0x3MNbb (3.6.0.3 -> 0x36003).
// Stamps before 3.1.0.1 hold the version itself shifted by 8 (0x310 -> 0x31000).
std::uint32_t LibraryVersion(std::uint32_t stamp);
// The stamp for a version and build, for writers (0x36003, 0xFFFF -> 0x1803FFFF).
std::uint32_t LibraryStamp(std::uint32_t version, std::uint16_t build);
// "3.6.0.3"
std::string VersionText(std::uint32_t version);

// A damaged or unsupported stream; the text names the chunk and what was wrong with it.
class StreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One chunk whose header has been read and whose size lies inside its parent.
struct Chunk {
  std::uint32_t Type = 0;
  std::uint32_t Version = 0;  // decoded from the stamp
  std::span<const std::uint8_t> Data;
  int Depth = 0;
  std::string Path;  // for messages: "clump > geometry list > geometry 1"
};

// Walks the children of a byte range one after the other, refusing a child whose size runs past
// the end of the range.
class ChunkCursor {
 public:
  ChunkCursor(std::span<const std::uint8_t> data, int depth, std::string path);
  explicit ChunkCursor(const Chunk& parent)
      : ChunkCursor(parent.Data, parent.Depth + 1, parent.Path) {}

  bool AtEnd() const { return pos_ >= data_.size(); }
  // The next child, named name in messages. Throws StreamError when the header is cut short or
  // the size runs past the parent.
  Chunk Next(const std::string& name);
  // The next child, which must be of the given type.
  Chunk Expect(std::uint32_t type, const std::string& name);
  // A child read under a passing name, renamed for messages once its type is known.
  Chunk Named(Chunk chunk, const std::string& name) const;

 private:
  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
  int depth_;
  std::string path_;
};

// Reads fixed fields from the data of a struct chunk, never past its end.
class StructReader {
 public:
  explicit StructReader(const Chunk& chunk) : chunk_(chunk) {}

  std::size_t Remaining() const { return chunk_.Data.size() - pos_; }
  std::uint32_t U32(const char* field);
  std::int32_t I32(const char* field) { return static_cast<std::int32_t>(U32(field)); }
  float F32(const char* field);
  // The bytes of count elements of elementBytes each, once the count has been checked against
  // what is left: no caller allocates for a count this has not accepted.
  std::span<const std::uint8_t> Array(std::uint64_t count, std::size_t elementBytes,
                                      const char* what);
  void Skip(std::size_t bytes, const char* what) { (void)Array(1, bytes, what); }

  [[noreturn]] void Fail(const std::string& problem) const;

 private:
  const Chunk& chunk_;
  std::size_t pos_ = 0;
};

// The text of a string chunk, up to its first NUL.
std::string StringData(const Chunk& chunk);

}  // namespace vantorel::rw
