#pragma once

#include <array>
#include <string>

#include "core/coll_records.h"

namespace vantorel {

inline constexpr int kStatusPanelCount = 6;
using StatusPanels = std::array<std::string, kStatusPanelCount>;
inline constexpr std::array<int, kStatusPanelCount> kStatusPanelWidths{30, 130, 80, 70, 90, 50};

// The six panel texts for the coll at index currentColl: number, name (with the kind of a San
// Andreas coll, "name (COL3)"), vertices, faces, record size and the bounding box's height, width
// and depth.
StatusPanels StatusPanelTexts(const Coll& coll, int currentColl, char decimalSeparator);

}  // namespace vantorel
