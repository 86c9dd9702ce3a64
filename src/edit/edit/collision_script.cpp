#include "edit/collision_script.h"

#include <charconv>
#include <cstring>
#include <string_view>

#include "core/number_text.h"
#include "core/program_identity.h"

namespace vantorel {

namespace {

// Builds the script line by line in a fixed buffer and appends each finished line to the text,
// so that the hundreds of thousands of element lines of a large mesh cost no allocation each.
class ScriptWriter {
 public:
  explicit ScriptWriter(char separator) : separator_(separator) {}

  void Reserve(std::size_t bytes) { text_.reserve(bytes); }
  std::string Take() { return std::move(text_); }

  void Line(std::string_view line) {
    Begin();
    Text(line);
    End();
  }

  // An element line: the kind letter and the zero-padded index, "S 042: ".
  void BeginElement(char letter, std::size_t index) {
    Begin();
    *at_++ = letter;
    *at_++ = ' ';
    if (index < 1000) {
      at_[0] = static_cast<char>('0' + index / 100);
      at_[1] = static_cast<char>('0' + index / 10 % 10);
      at_[2] = static_cast<char>('0' + index % 10);
      at_ += 3;
    } else {
      at_ = std::to_chars(at_, at_ + 24, index).ptr;
    }
    *at_++ = ':';
    *at_++ = ' ';
  }
  void Real(float value) { at_ = WriteScriptReal(at_, value, separator_); }
  void Integer(std::int64_t value) { at_ = std::to_chars(at_, at_ + 24, value).ptr; }
  void Vector(const Vector3& v) {
    Real(v.X);
    Text("; ");
    Real(v.Y);
    Text("; ");
    Real(v.Z);
  }
  void GroupSeparator() { Text("  |  "); }
  void Material(const Surface& surface) {
    *at_++ = '[';
    Integer(surface.Material);
    *at_++ = ']';
  }
  void Text(std::string_view text) {
    // Only the fixed lines are long; they go to the text directly.
    if (text.size() > kRoom) {
      Flush();
      text_ += text;
      return;
    }
    std::memcpy(at_, text.data(), text.size());
    at_ += text.size();
  }
  void End() { Flush(); }

 private:
  // The longest element line, a box with six reals, takes about 110 characters.
  static constexpr std::size_t kRoom = 64;

  void Begin() {
    if (!first_) text_ += "\r\n";
    first_ = false;
    at_ = line_;
  }
  void Flush() {
    text_.append(line_, static_cast<std::size_t>(at_ - line_));
    at_ = line_;
  }

  char separator_;
  bool first_ = true;
  std::string text_;
  char line_[256];
  char* at_ = line_;
};

// The name for the script's comment line. A control character would break that line, and a
// line break followed by an element line would read back as one more element, so each control
// character is written as \xHH (two upper-case hex digits); every other byte stays as stored.
std::string CommentName(const std::string& name) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(name.size());
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      text += "\\x";
      text += kHex[byte >> 4];
      text += kHex[byte & 0xF];
    } else {
      text += c;
    }
  }
  return text;
}

std::string Count(std::size_t count, const char* singular, const char* plural) {
  return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

// What a San Andreas coll holds that the element lines cannot carry, "" when nothing.
std::string LeftOut(const Coll& coll) {
  std::string text;
  const auto add = [&](std::size_t count, const char* singular, const char* plural) {
    if (count == 0) return;
    text += (text.empty() ? "" : ", ") + Count(count, singular, plural);
  };
  add(coll.FaceGroups.size(), "face group", "face groups");
  add(coll.ShadowVertices.size(), "shadow vertex", "shadow vertices");
  add(coll.ShadowFaces.size(), "shadow face", "shadow faces");
  return text;
}

}  // namespace

std::string BuildCollisionScript(const Coll& coll, const std::string& exportedOn,
                                 char decimalSeparator) {
  ScriptWriter w(decimalSeparator);
  w.Reserve(512 + 64 * (coll.Spheres.size() + coll.Boxes.size() + coll.Vertices.size() +
                        coll.Faces.size()));
  w.Line("# GTA3 Collision Script created with " + std::string(kVersionCaption) + " by " +
         std::string(kAuthorName));
  const std::string contact = ContactText(kProjectContact, "Web: ", "E-Mail: ", "   ");
  if (!contact.empty()) w.Line("# " + contact);
  w.Line("# Exported on " + exportedOn);
  w.Line("");
  w.Line("# \"" + CommentName(HeaderName(coll.Header)) + "\" (" +
         std::to_string(std::uint64_t{coll.Header.Size} + 8) + " Byte)");
  if (coll.Version() >= 2) {
    w.Line("# Kind: " + std::string(coll.Header.FourCC.begin(), coll.Header.FourCC.end()));
    const std::string left = LeftOut(coll);
    if (!left.empty()) w.Line("# Not in this script: " + left);
  }
  w.Line("");

  w.Line("=> Sphere count: " + std::to_string(coll.SphereCount()));
  for (std::size_t i = 0; i < coll.Spheres.size(); ++i) {
    const CollSphere& s = coll.Spheres[i];
    w.BeginElement('S', i);
    w.Real(s.Radius);
    w.GroupSeparator();
    w.Vector(s.Center);
    w.GroupSeparator();
    w.Material(s.Surface);
    w.End();
  }
  w.Line("");
  w.Line("=> Box count: " + std::to_string(coll.BoxCount()));
  for (std::size_t i = 0; i < coll.Boxes.size(); ++i) {
    const CollBox& b = coll.Boxes[i];
    w.BeginElement('B', i);
    w.Vector(b.Min);
    w.GroupSeparator();
    w.Vector(b.Max);
    w.GroupSeparator();
    w.Material(b.Surface);
    w.End();
  }
  w.Line("");
  w.Line("=> Vertex count: " + std::to_string(coll.VertexCount()));
  for (std::size_t i = 0; i < coll.Vertices.size(); ++i) {
    w.BeginElement('V', i);
    w.Vector(coll.Vertices[i]);
    w.End();
  }
  w.Line("");
  w.Line("=> Face count: " + std::to_string(coll.FaceCount()));
  for (std::size_t i = 0; i < coll.Faces.size(); ++i) {
    const CollFace& f = coll.Faces[i];
    w.BeginElement('F', i);
    w.Integer(f.A);
    w.Text("; ");
    w.Integer(f.B);
    w.Text("; ");
    w.Integer(f.C);
    w.GroupSeparator();
    w.Material(f.Surface);
    w.End();
  }
  return w.Take();
}

}  // namespace vantorel
