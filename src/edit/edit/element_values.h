#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/coll_records.h"
#include "doc/element_lists.h"

#include "doc/dialog_values.h"

namespace vantorel {

// The dialog's edit fields in order: Edit1..Edit3 (first vector), Edit4..Edit6 (second corner,
// boxes only), Edit7 (radius, spheres only). Fields a kind does not show stay empty.
using ElementFieldTexts = std::array<std::string, 7>;

// LastMaterial as the add dialogs preselect it: outside the table (0..34, or 0..178 for San
// Andreas) it becomes 0.
int AddDialogMaterial(int lastMaterial, MaterialTable which);

// The values a new sphere (centre 0, radius 1) or box (-1 to 1 on each axis) of a coll of the
// table which starts with.
ElementValues NewSphereValues(int lastMaterial, MaterialTable which);
ElementValues NewBoxValues(int lastMaterial, MaterialTable which);
ElementValues ValuesOf(const CollSphere& sphere);
ElementValues ValuesOf(const CollBox& box);

// A number typed into a dialog field: blanks around it are allowed, the decimal separator is
// only the locale's, and a value beyond the range of a float is no number.
std::optional<float> ParseFieldReal(std::string_view text, char decimalSeparator);

// The fields' texts in the pattern "0.0####".
ElementFieldTexts FieldTexts(const ElementValues& values, char decimalSeparator);
// The values of the fields the kind shows, or nothing when one of them holds no number. The
// material is not a field; it is copied from base, as are the fields the kind does not show.
std::optional<ElementValues> ParseFieldTexts(const ElementValues& base,
                                             const ElementFieldTexts& texts, char decimalSeparator);

// Swaps the corners of a box on each axis where the minimum is greater than the maximum.
void OrderBoxCorners(Vector3& min, Vector3& max);

// Appends a sphere or box made from the values (its other surface bytes 0) and a checked line
// for it in the list. The selected line stays.
void AddSphere(Coll& coll, ElementList& list, const ElementValues& values);
void AddBox(Coll& coll, ElementList& list, const ElementValues& values);
// Stores the values into element index; the other surface bytes stay. False for an index
// outside the array.
bool EditSphere(Coll& coll, int index, const ElementValues& values);
bool EditBox(Coll& coll, int index, const ElementValues& values);
// Removes the element of the selected line with its line and selects the line at the same
// index, or the last line when the removed one was the last (none once the list is empty).
// False, changing nothing, without a selected line.
bool DeleteSelectedSphere(Coll& coll, ElementList& list);
bool DeleteSelectedBox(Coll& coll, ElementList& list);

}  // namespace vantorel
