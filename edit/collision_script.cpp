#include "edit/collision_script.h"

#include "core/number_text.h"
#include "core/program_identity.h"

namespace vantorel {

namespace {

constexpr const char* kGroupSeparator = "  |  ";

class ScriptWriter {
 public:
  explicit ScriptWriter(char separator) : separator_(separator) {}

  void Line(const std::string& line) {
    if (!first_) text_ += "\r\n";
    first_ = false;
    text_ += line;
  }
  std::string Real(float value) const { return FormatScriptReal(value, separator_); }
  std::string Vector(const Vector3& v) const {
    return Real(v.X) + "; " + Real(v.Y) + "; " + Real(v.Z);
  }
  static std::string Head(char letter, std::size_t index) {
    return std::string(1, letter) + ' ' + FormatIndex(static_cast<std::int64_t>(index)) + ": ";
  }
  static std::string Material(const Surface& surface) {
    std::string text(1, '[');
    text += std::to_string(surface.Material);
    text.push_back(']');
    return text;
  }
  std::string Take() { return std::move(text_); }
  void Reserve(std::size_t bytes) { text_.reserve(bytes); }

 private:
  char separator_;
  bool first_ = true;
  std::string text_;
};

}  // namespace

std::string BuildCollisionScript(const Coll& coll, const std::string& exportedOn,
                                 char decimalSeparator) {
  ScriptWriter w(decimalSeparator);
  w.Reserve(512 + 64 * (coll.Spheres.size() + coll.Boxes.size() + coll.Vertices.size() +
                        coll.Faces.size()));
  w.Line("# GTA3 Collision Script created with " + std::string(kVersionCaption) + " by " +
         std::string(kAuthorName));
  w.Line("# Web: " + std::string(kHomepage) + "   E-Mail: " + std::string(kMailAddress));
  w.Line("# Exported on " + exportedOn);
  w.Line("");
  w.Line("# \"" + HeaderName(coll.Header) + "\" (" +
         std::to_string(std::uint64_t{coll.Header.Size} + 8) + " Byte)");
  w.Line("");

  w.Line("=> Sphere count: " + std::to_string(coll.SphereCount()));
  for (std::size_t i = 0; i < coll.Spheres.size(); ++i) {
    const CollSphere& s = coll.Spheres[i];
    w.Line(ScriptWriter::Head('S', i) + w.Real(s.Radius) + kGroupSeparator + w.Vector(s.Center) +
           kGroupSeparator + ScriptWriter::Material(s.Surface));
  }
  w.Line("");
  w.Line("=> Box count: " + std::to_string(coll.BoxCount()));
  for (std::size_t i = 0; i < coll.Boxes.size(); ++i) {
    const CollBox& b = coll.Boxes[i];
    w.Line(ScriptWriter::Head('B', i) + w.Vector(b.Min) + kGroupSeparator + w.Vector(b.Max) +
           kGroupSeparator + ScriptWriter::Material(b.Surface));
  }
  w.Line("");
  w.Line("=> Vertex count: " + std::to_string(coll.VertexCount()));
  for (std::size_t i = 0; i < coll.Vertices.size(); ++i) {
    w.Line(ScriptWriter::Head('V', i) + w.Vector(coll.Vertices[i]));
  }
  w.Line("");
  w.Line("=> Face count: " + std::to_string(coll.FaceCount()));
  for (std::size_t i = 0; i < coll.Faces.size(); ++i) {
    const CollFace& f = coll.Faces[i];
    w.Line(ScriptWriter::Head('F', i) + std::to_string(f.A) + "; " + std::to_string(f.B) + "; " +
           std::to_string(f.C) + kGroupSeparator + ScriptWriter::Material(f.Surface));
  }
  return w.Take();
}

}  // namespace vantorel
