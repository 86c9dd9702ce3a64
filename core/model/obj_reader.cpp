#include "core/model/obj_reader.h"

#include <charconv>
#include <cmath>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "core/file_io.h"

namespace vantorel {

namespace {

class LineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

bool Blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

// Walks the text line by line; a line is handed out without its end-of-line characters.
class Lines {
 public:
  explicit Lines(std::string_view text) : p_(text.data()), end_(text.data() + text.size()) {}

  bool Next(std::string_view& line) {
    if (p_ >= end_) return false;
    const char* start = p_;
    while (p_ < end_ && *p_ != '\n')
      ++p_;
    line = std::string_view(start, static_cast<std::size_t>(p_ - start));
    if (p_ < end_) ++p_;
    ++number_;
    return true;
  }
  std::size_t Number() const { return number_; }

 private:
  const char* p_;
  const char* end_;
  std::size_t number_ = 0;
};

// The fields of one line after its keyword.
class Fields {
 public:
  explicit Fields(std::string_view line) : p_(line.data()), end_(line.data() + line.size()) {}

  std::string_view Next() {
    while (p_ < end_ && Blank(*p_))
      ++p_;
    const char* start = p_;
    while (p_ < end_ && !Blank(*p_))
      ++p_;
    return {start, static_cast<std::size_t>(p_ - start)};
  }
  // The rest of the line without the blanks around it: names may hold spaces.
  std::string_view Rest() {
    while (p_ < end_ && Blank(*p_))
      ++p_;
    const char* last = end_;
    while (last > p_ && Blank(last[-1]))
      --last;
    return {p_, static_cast<std::size_t>(last - p_)};
  }

 private:
  const char* p_;
  const char* end_;
};

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text.substr(0, 40)) + (text.size() > 40 ? "...\"" : "\"");
}

float ParseCoordinate(std::string_view field) {
  if (field.empty()) throw LineError("a coordinate is missing");
  const char* begin = field.data();
  if (*begin == '+') ++begin;
  float value = 0;
  const auto [end, error] = std::from_chars(begin, field.data() + field.size(), value);
  if (error == std::errc::result_out_of_range) {
    throw LineError(Quoted(field) + " is beyond the range of a float");
  }
  if (error != std::errc() || end != field.data() + field.size() || !std::isfinite(value)) {
    throw LineError(Quoted(field) + " is not a number");
  }
  return value;
}

// An index of a face corner, 1-based or negative from the end, resolved to 0-based.
std::uint32_t ResolveIndex(std::string_view field, std::size_t count, const char* what) {
  std::int64_t index = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), index);
  if (error == std::errc::result_out_of_range) {
    throw LineError(std::string(what) + " index " + Quoted(field) + " is far too large");
  }
  if (error != std::errc() || end != field.data() + field.size()) {
    throw LineError(std::string(what) + " index " + Quoted(field) + " is not a whole number");
  }
  if (index == 0) {
    throw LineError(std::string(what) + " index 0 does not exist (indices count from 1)");
  }
  const std::int64_t resolved = index > 0 ? index - 1 : static_cast<std::int64_t>(count) + index;
  if (resolved < 0 || resolved >= static_cast<std::int64_t>(count)) {
    throw LineError(std::string(what) + " " + std::to_string(index) + " does not exist (" +
                    std::to_string(count) + " read so far)");
  }
  return static_cast<std::uint32_t>(resolved);
}

bool Keyword(std::string_view line, std::string_view& keyword, std::string_view& rest) {
  std::size_t i = 0;
  while (i < line.size() && Blank(line[i]))
    ++i;
  std::size_t k = i;
  while (k < line.size() && !Blank(line[k]))
    ++k;
  keyword = line.substr(i, k - i);
  rest = line.substr(k);
  return !keyword.empty() && keyword.front() != '#';
}

template <class T>
Parsed<T> AtLine(std::size_t line, const std::string& problem) {
  return Parsed<T>::Failure("line " + std::to_string(line) + ": " + problem);
}

}  // namespace

Parsed<MtlTextures> ReadMtl(std::string_view text) {
  MtlTextures textures;
  Lines lines(text);
  std::string_view line;
  const std::string* current = nullptr;
  while (lines.Next(line)) {
    std::string_view keyword, rest;
    if (!Keyword(line, keyword, rest)) continue;
    Fields fields(rest);
    if (keyword == "newmtl") {
      const std::string_view name = fields.Rest();
      if (name.empty()) return AtLine<MtlTextures>(lines.Number(), "newmtl names no material");
      current = &textures.try_emplace(std::string(name)).first->first;
    } else if (keyword == "map_Kd") {
      if (!current) {
        return AtLine<MtlTextures>(lines.Number(), "map_Kd stands before any newmtl");
      }
      // Options such as "-s 1 1 1" come first; the file name is the last field.
      std::string_view last, field;
      while (!(field = fields.Next()).empty())
        last = field;
      if (last.empty()) return AtLine<MtlTextures>(lines.Number(), "map_Kd names no file");
      textures[*current] = std::string(last);
    }
  }
  return {std::move(textures), {}};
}

Parsed<Model> ReadObj(std::string_view text, const MtlSource& mtls) {
  Model model;
  std::unordered_map<std::string, std::uint32_t> materialIndex;
  std::vector<std::string> mtlFiles;
  std::size_t textureCoordinates = 0;
  std::size_t normals = 0;
  std::uint32_t material = 0;
  bool materialChosen = false;
  std::vector<std::uint32_t> corners;
  Lines lines(text);
  std::string_view line;
  try {
    while (lines.Next(line)) {
      std::string_view keyword, rest;
      if (!Keyword(line, keyword, rest)) continue;
      Fields fields(rest);
      if (keyword == "v") {
        const float x = ParseCoordinate(fields.Next());
        const float y = ParseCoordinate(fields.Next());
        const float z = ParseCoordinate(fields.Next());
        model.Positions.push_back({x, y, z});
      } else if (keyword == "vt") {
        ++textureCoordinates;
      } else if (keyword == "vn") {
        ++normals;
      } else if (keyword == "f") {
        corners.clear();
        for (std::string_view corner = fields.Next(); !corner.empty(); corner = fields.Next()) {
          const std::size_t slash = corner.find('/');
          corners.push_back(
              ResolveIndex(corner.substr(0, slash), model.Positions.size(), "vertex"));
          if (slash == std::string_view::npos) continue;
          const std::string_view more = corner.substr(slash + 1);
          const std::size_t second = more.find('/');
          const std::string_view uv = more.substr(0, second);
          if (!uv.empty()) ResolveIndex(uv, textureCoordinates, "texture coordinate");
          if (second != std::string_view::npos) {
            ResolveIndex(more.substr(second + 1), normals, "normal");
          }
        }
        if (corners.size() < 3) {
          throw LineError("a face needs at least 3 corners, this one has " +
                          std::to_string(corners.size()));
        }
        if (!materialChosen) {
          const auto [it, added] = materialIndex.try_emplace(
              std::string(), static_cast<std::uint32_t>(model.Materials.size()));
          if (added) model.Materials.push_back({});
          material = it->second;
          materialChosen = true;
        }
        for (std::size_t i = 1; i + 1 < corners.size(); ++i) {
          model.Triangles.push_back({corners[0], corners[i], corners[i + 1], material});
        }
      } else if (keyword == "usemtl") {
        const std::string name(fields.Rest());
        if (name.empty()) throw LineError("usemtl names no material");
        const auto [it, added] =
            materialIndex.try_emplace(name, static_cast<std::uint32_t>(model.Materials.size()));
        if (added) model.Materials.push_back({name, {}});
        material = it->second;
        materialChosen = true;
      } else if (keyword == "mtllib") {
        for (std::string_view name = fields.Next(); !name.empty(); name = fields.Next()) {
          mtlFiles.emplace_back(name);
        }
      }
    }
  } catch (const LineError& error) {
    return AtLine<Model>(lines.Number(), error.what());
  }
  if (mtls) {
    for (const std::string& file : mtlFiles) {
      const std::optional<std::string> mtlText = mtls(file);
      if (!mtlText) continue;
      Parsed<MtlTextures> textures = ReadMtl(*mtlText);
      if (!textures.Value) return Parsed<Model>::Failure(file + ", " + textures.Error);
      for (ModelMaterial& m : model.Materials) {
        const auto found = textures.Value->find(m.Name);
        if (found != textures.Value->end()) m.Texture = found->second;
      }
    }
  }
  return {std::move(model), {}};
}

Parsed<Model> ReadObjFile(const std::filesystem::path& path) {
  Bytes bytes;
  if (auto error = ReadWholeFile(path.string(), bytes)) return Parsed<Model>::Failure(*error);
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  const std::filesystem::path folder = path.parent_path();
  return ReadObj(text, [&folder](const std::string& name) -> std::optional<std::string> {
    Bytes mtl;
    if (ReadWholeFile((folder / name).string(), mtl)) return std::nullopt;
    return std::string(mtl.begin(), mtl.end());
  });
}

}  // namespace vantorel
