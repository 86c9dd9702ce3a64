#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/coll_records.h"

#include "doc/dialog_values.h"

namespace vantorel {

inline constexpr std::string_view kDefaultMergeName = "new_coll";

// One coll holding everything of p and then everything of q. Q's faces point at Q's vertices,
// which follow P's, so each of their indices grows by P's vertex count. The header is "COLL",
// the name, "QKZV" as Id and Size by the size rule; every other header byte is zero.
//
// The bounding sphere and box are left zero: the caller fits them to the merged geometry with
// the shared bounds recalculation (without its question) before the record is written.
//
// nullopt when the merged record would be too long for the 32-bit Size field.
std::optional<Coll> MergeColls(const Coll& p, const Coll& q, std::string_view name);

}  // namespace vantorel
