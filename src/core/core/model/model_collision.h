#pragma once

#include <cstdint>
#include <span>

#include "core/byte_buffer.h"
#include "core/model/model.h"

namespace vantorel {

// Whether the bytes start as a RenderWare stream (a clump, or the UV animation dictionary some
// models carry before it, of library 3.1 to 3.6) rather than as a collision file.
bool IsRenderWareModel(std::span<const std::uint8_t> bytes);

// The collision a model carries in its clump's extension, as the bytes of a collision file:
// every collision chunk's records back to back, to be listed by the collision file scan like
// any other file's. Empty when the model carries none; a damaged model gives the reason.
Parsed<Bytes> ModelCollisionBytes(std::span<const std::uint8_t> bytes);

}  // namespace vantorel
