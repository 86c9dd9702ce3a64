#include "core/model/rw_chunk.h"

#include <bit>
#include <cstdio>
#include <cstring>

#include "core/little_endian.h"

namespace vantorel::rw {

std::uint32_t LibraryVersion(std::uint32_t stamp) {
  if ((stamp & 0xFFFF0000u) == 0) return stamp << 8;
  return (((stamp >> 14) & 0x3FF00u) + 0x30000u) | ((stamp >> 16) & 0x3Fu);
}

std::uint32_t LibraryStamp(std::uint32_t version, std::uint16_t build) {
  return (((version - 0x30000u) & 0x3FF00u) << 14) | ((version & 0x3Fu) << 16) | build;
}

std::string VersionText(std::uint32_t version) {
  return std::to_string((version >> 16) & 0xF) + "." + std::to_string((version >> 12) & 0xF) + "." +
         std::to_string((version >> 8) & 0xF) + "." + std::to_string(version & 0xFF);
}

ChunkCursor::ChunkCursor(std::span<const std::uint8_t> data, int depth, std::string path)
    : data_(data), depth_(depth), path_(std::move(path)) {
  if (depth_ > kMaxDepth) throw StreamError(path_ + ": chunks nested too deeply");
}

Chunk ChunkCursor::Next(const std::string& name) {
  Chunk chunk;
  chunk.Path = path_.empty() ? name : path_ + " > " + name;
  chunk.Depth = depth_;
  const std::size_t left = data_.size() - pos_;
  if (left < kHeaderBytes) {
    throw StreamError(chunk.Path + ": cut short (" + std::to_string(left) +
                      " bytes left where a 12-byte chunk header belongs)");
  }
  const std::uint8_t* header = data_.data() + pos_;
  chunk.Type = le::LoadU32(header);
  const std::uint32_t size = le::LoadU32(header + 4);
  chunk.Version = LibraryVersion(le::LoadU32(header + 8));
  if (size > left - kHeaderBytes) {
    throw StreamError(chunk.Path + ": its size of " + std::to_string(size) +
                      " bytes runs past the end of what holds it (" +
                      std::to_string(left - kHeaderBytes) + " bytes left)");
  }
  chunk.Data = data_.subspan(pos_ + kHeaderBytes, size);
  pos_ += kHeaderBytes + size;
  return chunk;
}

Chunk ChunkCursor::Expect(std::uint32_t type, const std::string& name) {
  Chunk chunk = Next(name);
  if (chunk.Type != type) {
    char text[64];
    std::snprintf(text, sizeof text, ": a chunk of type 0x%X stands where 0x%X belongs",
                  static_cast<unsigned>(chunk.Type), static_cast<unsigned>(type));
    throw StreamError(chunk.Path + text);
  }
  return chunk;
}

Chunk ChunkCursor::Named(Chunk chunk, const std::string& name) const {
  chunk.Path = path_.empty() ? name : path_ + " > " + name;
  return chunk;
}

std::uint32_t StructReader::U32(const char* field) {
  const std::uint8_t* p = Array(1, 4, field).data();
  return le::LoadU32(p);
}

float StructReader::F32(const char* field) {
  return std::bit_cast<float>(U32(field));
}

std::span<const std::uint8_t> StructReader::Array(std::uint64_t count, std::size_t elementBytes,
                                                  const char* what) {
  if (count > Remaining() / elementBytes) {
    Fail(std::string(what) + " need " +
         (count > UINT32_MAX ? std::string("more") : std::to_string(count * elementBytes)) +
         " bytes, only " + std::to_string(Remaining()) + " are left");
  }
  const std::size_t bytes = static_cast<std::size_t>(count) * elementBytes;
  std::span<const std::uint8_t> out = chunk_.Data.subspan(pos_, bytes);
  pos_ += bytes;
  return out;
}

void StructReader::Fail(const std::string& problem) const {
  throw StreamError(chunk_.Path + ": " + problem);
}

std::string StringData(const Chunk& chunk) {
  if (chunk.Data.empty()) return {};
  const char* text = reinterpret_cast<const char*>(chunk.Data.data());
  return std::string(text, strnlen(text, chunk.Data.size()));
}

}  // namespace vantorel::rw
