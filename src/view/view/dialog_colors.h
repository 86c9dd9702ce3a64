#pragma once

#include <cstdint>

namespace vantorel {

// The view keeps colours as ARGB words (0xAARRGGBB); the colour dialog, its swatches and the
// system colour chooser use 24-bit colours with red in the low byte (0x00BBGGRR).
inline std::uint32_t ViewToDialogColor(std::uint32_t argb) {
  return ((argb & 0xFF) << 16) | (argb & 0xFF00) | ((argb >> 16) & 0xFF);
}

// Back to the view: the same swap, fully opaque.
inline std::uint32_t DialogToViewColor(std::uint32_t bgr) {
  return 0xFF000000u | ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

}  // namespace vantorel
