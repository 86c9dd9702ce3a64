#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

// Fixed-layout records are stored little-endian whatever the host is; these helpers move single
// values between a byte buffer and the program without casting pointers into the buffer.
namespace vantorel::le {

// On a little-endian host the value is moved whole: one 4-byte access instead of four single
// bytes, which matters when whole files of records are encoded.
inline std::uint32_t LoadU32(const std::uint8_t* p) {
  if constexpr (std::endian::native == std::endian::little) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
  }
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
inline std::uint16_t LoadU16(const std::uint8_t* p) {
  if constexpr (std::endian::native == std::endian::little) {
    std::uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
  }
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
inline void StoreU16(std::uint8_t* p, std::uint16_t v) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(p, &v, 2);
    return;
  }
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline std::int32_t LoadI32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(LoadU32(p));
}
inline float LoadF32(const std::uint8_t* p) {
  return std::bit_cast<float>(LoadU32(p));
}

inline void StoreU32(std::uint8_t* p, std::uint32_t v) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(p, &v, 4);
    return;
  }
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
  p[2] = static_cast<std::uint8_t>(v >> 16);
  p[3] = static_cast<std::uint8_t>(v >> 24);
}
inline void StoreI32(std::uint8_t* p, std::int32_t v) {
  StoreU32(p, static_cast<std::uint32_t>(v));
}
inline void StoreF32(std::uint8_t* p, float v) {
  StoreU32(p, std::bit_cast<std::uint32_t>(v));
}

}  // namespace vantorel::le
