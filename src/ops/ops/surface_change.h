#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/coll_records.h"
#include "core/coll_surfaces.h"
#include "core/surface_types.h"
#include "doc/element_lists.h"

#include "doc/dialog_values.h"

namespace vantorel {

inline constexpr std::string_view kChangeSurfaceCaption = "Change Surface";
inline constexpr std::string_view kQuickChangeCaption = "Surface Quick Change";

// The entry of the parameter list for a Parameter byte: 0-12 are entries 0-12, 17 is entry 13;
// other values have no entry.
std::optional<int> ParameterItem(std::uint8_t parameter);
// The Parameter byte of a parameter list entry; nullopt for a position outside the list.
std::optional<std::uint8_t> ParameterOfItem(int item);

// The material list entry of a material of a table: "[07] Glas", "[34] Grass 2 (VC)", and for a
// San Andreas coll "[150] P_GRASSMID2".
std::string MaterialEntry(int material, MaterialTable which, const SurfaceTypeTable& table);
// All entries of the table in material order (35, or 179 for San Andreas), with the names in
// force.
std::vector<std::string> MaterialEntries(MaterialTable which, const SurfaceTypeTable& table);

// The dialog for an element of a coll whose materials index the table which.
SurfaceDialogValues ChangeSurfaceValues(ListKind kind, int index, const Surface& surface,
                                        MaterialTable which, const SurfaceTypeTable& table);

// Stores a choice in surface and returns the LastMaterial that follows it: the chosen material,
// or lastMaterial unchanged when no material was chosen (the element then keeps its own) or the
// entry lies outside the table.
int ApplySurfaceChoice(Surface& surface, const SurfaceChoice& choice, int lastMaterial,
                       MaterialTable which);

// The material Quick Change assigns: lastMaterial, or 0 when it lies outside the table (before
// any choice was made). The caller keeps the result as its LastMaterial.
int QuickChangeMaterial(int lastMaterial, MaterialTable which);

// The confirmation text for assigning material to the checked elements of a list, with a tag
// per checked element ("F005"), seven tags to a line. nullopt when nothing is checked, so
// there is nothing to ask.
std::optional<std::string> QuickChangeQuestion(ListKind kind, const std::vector<bool>& checked,
                                               int material, MaterialTable which,
                                               const SurfaceTypeTable& table);

// Sets the Material of every checked element of the list of kind; the other surface bytes stay.
// Returns the number of elements changed. Marks beyond the elements are ignored.
int AssignMaterialToChecked(Coll& coll, ListKind kind, const std::vector<bool>& checked,
                            std::uint8_t material);

}  // namespace vantorel
