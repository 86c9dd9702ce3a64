#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/byte_buffer.h"

namespace vantorel {

// Reads the whole file at path into bytes. On failure returns the text to show, naming the file
// and the system's reason, and leaves bytes empty.
std::optional<std::string> ReadWholeFile(const std::string& path, Bytes& bytes);

// Writes bytes to path through a temporary file beside it that is renamed over the target only
// once it is complete, so a failed save never leaves a half-written file behind. On failure
// returns the text to show, naming the file and the system's reason.
std::optional<std::string> WriteFileReplacing(const std::string& path,
                                              std::span<const std::uint8_t> bytes);

}  // namespace vantorel
