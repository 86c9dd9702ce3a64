#include "doc/status_bar.h"

#include "core/number_text.h"

namespace vantorel {

StatusPanels StatusPanelTexts(const Coll& coll, int currentColl, char decimalSeparator) {
  const CollHeader& h = coll.Header;
  const auto extent = [&](float max, float min) {
    return FormatDimension(static_cast<double>(max) - static_cast<double>(min), decimalSeparator);
  };
  return {
      FormatIndex(std::int64_t{currentColl} + 1),
      HeaderName(h),
      "Vertices: " + std::to_string(coll.VertexCount()),
      "Faces: " + std::to_string(coll.FaceCount()),
      "Size: " + std::to_string(std::uint64_t{h.Size} + 8) + " Byte",
      "Height: " + extent(h.BoundingMax.Z, h.BoundingMin.Z) +
          "; Width: " + extent(h.BoundingMax.X, h.BoundingMin.X) +
          "; Depth: " + extent(h.BoundingMax.Y, h.BoundingMin.Y),
  };
}

}  // namespace vantorel
