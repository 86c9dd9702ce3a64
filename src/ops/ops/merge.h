#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/coll_records.h"

#include "doc/dialog_values.h"

namespace vantorel {

inline constexpr std::string_view kDefaultMergeName = "new_coll";

// What a merge drops of a coll's face groups: their boxes and face runs would no longer
// describe the merged faces.
inline constexpr std::string_view kFaceGroupsDropped = "face groups dropped";

// One coll of p's kind holding everything of p and then everything of q, which must already be
// of p's kind (or, for "COL4", of "COL3", whose elements are the same). Q's faces point at Q's
// vertices, which follow P's, so each of their indices grows by P's vertex count; the shadow
// meshes of "COL3"/"COL4" are joined the same way. P's face groups are kept only when q adds
// no faces and no groups of its own. The header is p's kind, the name and Size by the size
// rule; a "COLL" result gets "QKZV" as Id, a San Andreas one model ID 0; every other header
// byte is zero but for "COL4"'s extra field, which is p's.
//
// The bounding sphere and box are left zero: the caller fits them to the merged geometry with
// the shared bounds recalculation (without its question) before the record is written.
//
// nullopt when the merged record would be too long for the 32-bit Size field.
std::optional<Coll> MergeColls(const Coll& p, const Coll& q, std::string_view name);

// A merge of colls of any kinds, or why it cannot be made.
struct CollMerge {
  std::optional<Coll> Merged;  // nothing when refused
  std::string Refusal;         // names the coll and the value at fault
  // What the sources lost on the way, one line per coll that lost something (LostLine).
  std::vector<std::string> LostLines;
};

// Merges q into p: the result keeps p's kind, and q is first converted to it (ConvertColl:
// surfaces mapped, coordinates rounded, what the kind cannot hold listed). A coordinate or
// count the kind cannot hold refuses the merge with the conversion's reason. Face groups of
// either coll that the result cannot keep are listed as kFaceGroupsDropped.
CollMerge MergeCollsOfAnyKind(const Coll& p, const Coll& q, std::string_view name);

}  // namespace vantorel
