#include "core/coll_conversion.h"

#include <algorithm>
#include <array>

#include "core/compressed_record.h"
#include "core/sa_surface_table.h"
#include "core/windows1252.h"

namespace vantorel {

namespace {

std::string Count(std::size_t count, const char* singular, const char* plural) {
  return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

template <class Elements, class Test>
std::size_t CountIf(const Elements& elements, Test test) {
  return static_cast<std::size_t>(std::count_if(elements.begin(), elements.end(), test));
}

using MaterialMap = std::array<std::uint8_t, 256>;

// The mappings between the tables for every byte value, looked up once per element.
template <class Map>
MaterialMap Tabulate(Map map) {
  MaterialMap table{};
  for (std::size_t i = 0; i < table.size(); ++i)
    table[i] = static_cast<std::uint8_t>(map(static_cast<int>(i)));
  return table;
}
const MaterialMap& ToSaMaterials() {
  static const MaterialMap table = Tabulate(SaMaterialForClassic);
  return table;
}
const MaterialMap& ToClassicMaterials() {
  static const MaterialMap table = Tabulate(ClassicMaterialForSa);
  return table;
}

void MapShapeMaterials(Coll& coll, const MaterialMap& map) {
  for (CollSphere& sphere : coll.Spheres)
    sphere.Surface.Material = map[sphere.Surface.Material];
  for (CollBox& box : coll.Boxes)
    box.Surface.Material = map[box.Surface.Material];
}

void SetKind(CollHeader& header, int version) {
  const std::string name = HeaderName(header);
  const std::uint16_t modelId = header.Version() >= 2 ? header.ModelId() : 0;
  header.FourCC = LayoutOfVersion(version)->FourCC;
  header.Id = {};
  SetHeaderName(header, name);
  if (version >= 2) header.SetModelId(modelId);
}

// To "COLL": what only the San Andreas kinds hold goes.
void ToColl(Coll& coll, std::vector<std::string>& lost) {
  if (!coll.ShadowFaces.empty() || !coll.ShadowVertices.empty()) {
    lost.push_back("the shadow mesh (" + Count(coll.ShadowVertices.size(), "vertex", "vertices") +
                   ", " + Count(coll.ShadowFaces.size(), "face", "faces") + ")");
  }
  if (!coll.FaceGroups.empty()) {
    lost.push_back(Count(coll.FaceGroups.size(), "face group", "face groups"));
  }
  // One pass over the faces, the bulk of a large coll: the light goes, the material is mapped.
  const MaterialMap& map = ToClassicMaterials();
  std::size_t lit = 0;
  for (CollFace& face : coll.Faces) {
    if (FaceLight(face) != 0) ++lit;
    face.Surface.Byte2 = 0;
    face.Surface.Material = map[face.Surface.Material];
  }
  if (lit > 0) lost.push_back("the light bytes of " + Count(lit, "face", "faces"));
  if (coll.Header.ModelId() != 0) {
    lost.push_back("the model ID " + std::to_string(coll.Header.ModelId()));
  }
  if (coll.Col4Extra != 0) lost.push_back("the extra \"COL4\" field");
  const std::string name = HeaderName(coll.Header);
  if (name.size() > 20) lost.push_back("the name's end (\"" + name.substr(20) + "\")");
  coll.FaceGroups.clear();
  coll.ShadowFaces.clear();
  coll.ShadowVertices.clear();
  coll.Col4Extra = 0;
  MapShapeMaterials(coll, map);
}

// Keeps only the vertices some face uses, in their order, and renumbers the faces.
std::size_t DropUnusedVertices(std::vector<CollVertex>& vertices, std::vector<CollFace>& faces) {
  std::vector<std::int32_t> newIndex(vertices.size(), -1);
  for (const CollFace& face : faces) {
    for (const std::int32_t index : {face.A, face.B, face.C})
      newIndex[static_cast<std::size_t>(index)] = 0;
  }
  std::size_t kept = 0;
  for (std::size_t i = 0; i < vertices.size(); ++i) {
    if (newIndex[i] < 0) continue;
    newIndex[i] = static_cast<std::int32_t>(kept);
    vertices[kept++] = vertices[i];
  }
  const std::size_t dropped = vertices.size() - kept;
  vertices.resize(kept);
  for (CollFace& face : faces) {
    face.A = newIndex[static_cast<std::size_t>(face.A)];
    face.B = newIndex[static_cast<std::size_t>(face.B)];
    face.C = newIndex[static_cast<std::size_t>(face.C)];
  }
  return dropped;
}

bool IndicesInRange(const std::vector<CollFace>& faces, std::size_t vertices) {
  auto fits = [&](std::int32_t i) { return i >= 0 && static_cast<std::size_t>(i) < vertices; };
  return std::all_of(faces.begin(), faces.end(),
                     [&](const CollFace& f) { return fits(f.A) && fits(f.B) && fits(f.C); });
}

// From "COLL" to a San Andreas kind: faces keep their material and get light 0.
void FromColl(Coll& coll, std::vector<std::string>& lost) {
  const std::size_t extra = CountIf(coll.Faces, [](const CollFace& f) {
    return f.Surface.Parameter != 0 || f.Surface.Byte2 != 0 || f.Surface.Byte3 != 0;
  });
  if (extra > 0) {
    lost.push_back("the surface bytes after the material of " + Count(extra, "face", "faces"));
  }
  const MaterialMap& map = ToSaMaterials();
  for (CollFace& face : coll.Faces)
    face.Surface = {map[face.Surface.Material], 0, 0, 0};
  MapShapeMaterials(coll, map);
}

}  // namespace

CollConversion ConvertColl(Coll coll, int toVersion) {
  CollConversion result;
  const int from = coll.Version();
  const std::string name = "coll \"" + Windows1252ToUtf8(HeaderName(coll.Header)) + "\"";
  if (toVersion < 1 || toVersion > 3 || from == 0) {
    result.Refusal = name + " cannot be converted to version " + std::to_string(toVersion);
    return result;
  }
  Coll converted = std::move(coll);
  if (from == toVersion) {
    result.Converted = std::move(converted);
    return result;
  }
  if (toVersion == 1) {
    ToColl(converted, result.Lost);
  } else {
    if (!IndicesInRange(converted.Faces, converted.Vertices.size()) ||
        !IndicesInRange(converted.ShadowFaces, converted.ShadowVertices.size())) {
      result.Refusal = name + " has faces naming vertices that do not exist";
      return result;
    }
    if (from == 1) FromColl(converted, result.Lost);
    if (toVersion == 2 && !converted.ShadowFaces.empty()) {
      result.Lost.push_back("the shadow mesh (" +
                            Count(converted.ShadowVertices.size(), "vertex", "vertices") + ", " +
                            Count(converted.ShadowFaces.size(), "face", "faces") + ")");
      converted.ShadowFaces.clear();
      converted.ShadowVertices.clear();
    }
    if (converted.Col4Extra != 0) result.Lost.push_back("the extra \"COL4\" field");
    converted.Col4Extra = 0;
    const std::size_t unused = DropUnusedVertices(converted.Vertices, converted.Faces) +
                               DropUnusedVertices(converted.ShadowVertices, converted.ShadowFaces);
    if (unused > 0) {
      result.Lost.push_back(Count(unused, "vertex no face uses", "vertices no face uses"));
    }
    if (converted.Faces.empty()) converted.FaceGroups.clear();
  }
  SetKind(converted.Header, toVersion);
  if (toVersion >= 2) {
    if (auto problem = CompressedRecordProblem(converted)) {
      result.Lost.clear();
      result.Refusal = *problem;
      return result;
    }
    for (auto* vertices : {&converted.Vertices, &converted.ShadowVertices}) {
      for (CollVertex& v : *vertices)
        v = {RoundedToCompressed(v.X), RoundedToCompressed(v.Y), RoundedToCompressed(v.Z)};
    }
  }
  RecalcCollSize(converted);
  result.Converted = std::move(converted);
  return result;
}

std::string LostLine(const Coll& coll, const std::vector<std::string>& lost) {
  if (lost.empty()) return {};
  std::string line = "coll \"" + Windows1252ToUtf8(HeaderName(coll.Header)) + "\": ";
  for (std::size_t i = 0; i < lost.size(); ++i)
    line += (i ? ", " : "") + lost[i];
  return line;
}

}  // namespace vantorel
