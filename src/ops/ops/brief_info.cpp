#include "ops/brief_info.h"

#include <cstdio>

#include "core/number_text.h"

namespace vantorel {

namespace {

std::string VectorText(const Vector3& v, char separator) {
  return FormatCoordinate(v.X, separator) + "; " + FormatCoordinate(v.Y, separator) + "; " +
         FormatCoordinate(v.Z, separator);
}

}  // namespace

std::string BuildBriefInfo(const Coll& coll, int index, int collCount, std::int64_t offset,
                           char decimalSeparator) {
  const CollHeader& h = coll.Header;
  const bool sanAndreas = coll.Version() >= 2;
  std::string text = "COLLISION OBJECT INFORMATION\r\n\r\nName: \t\t" + HeaderName(h) + "\r\n";
  if (sanAndreas) {
    text += "Kind: \t\t" + std::string(h.FourCC.begin(), h.FourCC.end()) + "\r\n";
    text += "Model ID: \t" + std::to_string(h.ModelId()) + "\r\n";
  }
  text += "No.: \t\t" + std::to_string(index + 1) + " / " + std::to_string(collCount) + "\r\n";
  text += "Size: \t\t" + std::to_string(std::uint64_t{h.Size} + 8) + " Byte\r\n";
  text += "Offset: \t\t" + std::to_string(offset) + "\r\n";
  text += "ID: \t\t";
  for (const std::uint8_t byte : h.Id) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X ", byte);
    text += hex;
  }
  text += "\r\n\r\nBounding Sphere\r\n   Radius: \t" +
          FormatCoordinate(h.BoundingRadius, decimalSeparator) + "\r\n   Center: \t" +
          VectorText(h.BoundingCenter, decimalSeparator);
  text += "\r\n\r\nBounding Box\r\n   Minimum: \t" + VectorText(h.BoundingMin, decimalSeparator) +
          "\r\n   Maximum: \t" + VectorText(h.BoundingMax, decimalSeparator);
  text += "\r\n\r\nNumber of\r\n   Spheres: \t" + std::to_string(coll.SphereCount()) +
          "\r\n   Boxes: \t" + std::to_string(coll.BoxCount()) + "\r\n   Vertices: \t" +
          std::to_string(coll.VertexCount()) + "\r\n   Faces: \t" +
          std::to_string(coll.FaceCount());
  if (sanAndreas) {
    text += "\r\n   Face groups: \t" + std::to_string(coll.FaceGroups.size()) +
            "\r\n   Shadow vertices: \t" + std::to_string(coll.ShadowVertices.size()) +
            "\r\n   Shadow faces: \t" + std::to_string(coll.ShadowFaces.size());
  }
  return text;
}

}  // namespace vantorel
