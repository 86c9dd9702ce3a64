#include "doc/status_bar.h"

#include <utility>

#include "core/number_text.h"

namespace vantorel {

StatusPanels StatusPanelTexts(const Coll& coll, int currentColl, char decimalSeparator) {
  const CollHeader& h = coll.Header;
  const auto extent = [&](float max, float min) {
    return FormatDimension(static_cast<double>(max) - static_cast<double>(min), decimalSeparator);
  };
  // A San Andreas coll says its kind after its name; a "COLL" one shows the name alone.
  std::string name = HeaderName(h);
  if (coll.Version() >= 2) name += " (" + std::string(h.FourCC.begin(), h.FourCC.end()) + ")";
  return {
      FormatIndex(std::int64_t{currentColl} + 1),
      std::move(name),
      "Vertices: " + std::to_string(coll.VertexCount()),
      "Faces: " + std::to_string(coll.FaceCount()),
      "Size: " + std::to_string(std::uint64_t{h.Size} + 8) + " Byte",
      "Height: " + extent(h.BoundingMax.Z, h.BoundingMin.Z) +
          "; Width: " + extent(h.BoundingMax.X, h.BoundingMin.X) +
          "; Depth: " + extent(h.BoundingMax.Y, h.BoundingMin.Y),
  };
}

}  // namespace vantorel
