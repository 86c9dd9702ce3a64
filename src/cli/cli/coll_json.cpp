#include "cli/coll_json.h"

#include "cli/json_writer.h"

namespace vantorel::cli {

namespace {

void WriteVector(JsonWriter& json, const Vector3& v) {
  json.BeginArray(JsonWriter::Layout::Inline);
  json.Float(v.X);
  json.Float(v.Y);
  json.Float(v.Z);
  json.EndArray();
}

}  // namespace

std::string CollListJson(const std::string& path, const CollDirectoryEntries& directory,
                         bool damaged) {
  JsonWriter json;
  json.BeginObject();
  json.Key("file");
  json.String(path);
  json.Key("damaged");
  json.Bool(damaged);
  json.Key("colls");
  json.BeginArray();
  for (std::size_t i = 0; i < directory.size(); ++i) {
    const CollDirectoryEntry& entry = directory[i];
    json.BeginObject(JsonWriter::Layout::Inline);
    json.Key("number");
    json.Integer(static_cast<std::int64_t>(i + 1));
    json.Key("name");
    json.Windows1252String(entry.Name);
    json.Key("offset");
    json.Integer(entry.Offset);
    json.Key("size");
    json.Integer(entry.Size);
    json.Key("empty");
    json.Bool(HoldsNoElements(entry));
    json.Key("version");
    json.Integer(entry.Version);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  return json.Text();
}

std::string CollInfoJson(const std::string& path, const Coll& coll, std::size_t index,
                         std::size_t collCount, std::int64_t offset, bool unknownSurface) {
  const CollHeader& h = coll.Header;
  JsonWriter json;
  json.BeginObject();
  json.Key("file");
  json.String(path);
  json.Key("number");
  json.Integer(static_cast<std::int64_t>(index + 1));
  json.Key("collCount");
  json.Integer(static_cast<std::int64_t>(collCount));
  json.Key("name");
  json.Windows1252String(HeaderName(h));
  json.Key("size");
  json.Integer(std::int64_t{h.Size} + 8);
  json.Key("offset");
  json.Integer(offset);
  json.Key("id");
  json.BeginArray(JsonWriter::Layout::Inline);
  for (const std::uint8_t byte : h.Id)
    json.Integer(byte);
  json.EndArray();
  json.Key("boundingSphere");
  json.BeginObject(JsonWriter::Layout::Inline);
  json.Key("radius");
  json.Float(h.BoundingRadius);
  json.Key("center");
  WriteVector(json, h.BoundingCenter);
  json.EndObject();
  json.Key("boundingBox");
  json.BeginObject(JsonWriter::Layout::Inline);
  json.Key("min");
  WriteVector(json, h.BoundingMin);
  json.Key("max");
  WriteVector(json, h.BoundingMax);
  json.EndObject();
  json.Key("spheres");
  json.Integer(coll.SphereCount());
  json.Key("boxes");
  json.Integer(coll.BoxCount());
  json.Key("vertices");
  json.Integer(coll.VertexCount());
  json.Key("faces");
  json.Integer(coll.FaceCount());
  json.Key("unknownSurface");
  json.Bool(unknownSurface);
  json.Key("version");
  json.Integer(coll.Version());
  json.Key("modelId");
  if (coll.Version() >= 2) {
    json.Integer(h.ModelId());
  } else {
    json.Null();
  }
  json.Key("faceGroups");
  json.Integer(static_cast<std::int64_t>(coll.FaceGroups.size()));
  json.Key("shadowVertices");
  json.Integer(static_cast<std::int64_t>(coll.ShadowVertices.size()));
  json.Key("shadowFaces");
  json.Integer(static_cast<std::int64_t>(coll.ShadowFaces.size()));
  json.EndObject();
  return json.Text();
}

}  // namespace vantorel::cli
