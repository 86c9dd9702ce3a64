#include "core/model/obj_reader.h"

#include <charconv>
#include <cmath>
#include <cstring>
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

std::string Quoted(std::string_view text);

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
  // A coordinate read in place: from_chars stops where the number ends, which must be a blank or
  // the end of the line.
  float Coordinate() {
    SkipBlanks();
    if (p_ == end_) throw LineError("a coordinate is missing");
    float value = 0;
    const auto [stop, error] = std::from_chars(*p_ == '+' ? p_ + 1 : p_, end_, value);
    if (error == std::errc() && (stop == end_ || Blank(*stop)) && std::isfinite(value)) {
      p_ = stop;
      return value;
    }
    const std::string_view field = Next();
    if (error == std::errc::result_out_of_range) {
      throw LineError(Quoted(field) + " is beyond the range of a float");
    }
    throw LineError(Quoted(field) + " is not a number");
  }

  // One corner of a face (v, v/vt, v//vn or v/vt/vn), its vertex resolved; false at the end of
  // the line.
  bool Corner(std::size_t vertices, std::size_t uvs, std::size_t normals, std::uint32_t& vertex) {
    SkipBlanks();
    if (p_ == end_) return false;
    vertex = Index(vertices, "vertex");
    if (p_ < end_ && *p_ == '/') {
      ++p_;
      if (p_ < end_ && *p_ != '/') Index(uvs, "texture coordinate");
      if (p_ < end_ && *p_ == '/') {
        ++p_;
        Index(normals, "normal");
      }
    }
    if (p_ < end_ && !Blank(*p_)) {
      const char* start = p_;
      while (p_ < end_ && !Blank(*p_))
        ++p_;
      throw LineError("a face corner runs on into " +
                      Quoted({start, static_cast<std::size_t>(p_ - start)}));
    }
    return true;
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
  void SkipBlanks() {
    while (p_ < end_ && Blank(*p_))
      ++p_;
  }

  // An index, 1-based or negative from the end, resolved to 0-based against count.
  std::uint32_t Index(std::size_t count, const char* what) {
    std::int64_t index = 0;
    const auto [stop, error] = std::from_chars(p_, end_, index);
    if (error != std::errc() || (stop < end_ && !Blank(*stop) && *stop != '/')) {
      const char* start = p_;
      while (p_ < end_ && !Blank(*p_) && *p_ != '/')
        ++p_;
      const std::string_view field(start, static_cast<std::size_t>(p_ - start));
      throw LineError(std::string(what) + " index " + Quoted(field) +
                      (error == std::errc::result_out_of_range ? " is far too large"
                                                               : " is not a whole number"));
    }
    p_ = stop;
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

  const char* p_;
  const char* end_;
};

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text.substr(0, 40)) + (text.size() > 40 ? "...\"" : "\"");
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
        const float x = fields.Coordinate();
        const float y = fields.Coordinate();
        const float z = fields.Coordinate();
        model.Positions.push_back({x, y, z});
      } else if (keyword == "vt") {
        ++textureCoordinates;
      } else if (keyword == "vn") {
        ++normals;
      } else if (keyword == "f") {
        corners.clear();
        std::uint32_t vertex = 0;
        while (fields.Corner(model.Positions.size(), textureCoordinates, normals, vertex)) {
          corners.push_back(vertex);
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
