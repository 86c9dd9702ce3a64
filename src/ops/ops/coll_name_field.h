#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "core/byte_buffer.h"
#include "core/coll_records.h"

namespace vantorel {

using NameField = std::array<char, 20>;

// Stores the 20 name bytes of a header. The games read a name from these bytes on into the
// four Id bytes after them, up to the first NUL; when the 20 bytes hold no NUL, the Id bytes are
// zeroed so that the game reads the same name the editor shows (in a San Andreas header only the
// first two, since the last two hold the model ID). Every writer of a new name
// (rename, copy, merge, LOD) goes through here.
void SetNameField(CollHeader& header, const NameField& name);

// Clears the 20 name bytes and writes name into them (cut to 20 characters), by SetNameField.
void WriteCollName(CollHeader& header, std::string_view name);

// A copy of a stored record under a new name: its name bytes cleared and written by
// WriteCollName, every other byte as stored. nullopt when record is shorter than a header.
std::optional<Bytes> RenamedRecordCopy(std::span<const std::uint8_t> record, std::string_view name);

}  // namespace vantorel
