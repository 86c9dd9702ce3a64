#include "core/model/surface_mapping.h"

#include <charconv>

namespace vantorel {

namespace {

char Fold(char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
  return c == '_' ? ' ' : c;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Fold(a[i]) != Fold(b[i])) return false;
  }
  return true;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

std::optional<std::uint8_t> SurfaceNumber(std::string_view text) {
  int value = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return {};
  if (value < 0 || value >= kSurfaceTypeCount) return {};
  return static_cast<std::uint8_t>(value);
}

Parsed<SurfaceMapping> AtLine(std::size_t line, const std::string& problem) {
  return Parsed<SurfaceMapping>::Failure("line " + std::to_string(line) + ": " + problem);
}

}  // namespace

bool GlobMatch(std::string_view pattern, std::string_view text) {
  // Greedy with one backtrack point: the last "*" seen and where in text it was tried.
  std::size_t p = 0, t = 0;
  std::size_t star = std::string_view::npos, starText = 0;
  while (t < text.size()) {
    if (p < pattern.size() &&
        (pattern[p] == '?' || (pattern[p] != '*' && Fold(pattern[p]) == Fold(text[t])))) {
      ++p;
      ++t;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      starText = t;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      t = ++starText;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*')
    ++p;
  return p == pattern.size();
}

std::optional<std::uint8_t> ParseSurfaceName(std::string_view text, const SurfaceTypeTable& table) {
  text = Trimmed(text);
  if (const auto number = SurfaceNumber(text)) return number;
  const std::size_t hash = text.rfind('#');
  if (hash != std::string_view::npos) return SurfaceNumber(Trimmed(text.substr(hash + 1)));
  for (int id = 0; id < kSurfaceTypeCount; ++id) {
    if (SameName(text, table.Name(id))) return static_cast<std::uint8_t>(id);
  }
  return {};
}

std::string SurfaceMaterialName(std::uint8_t surface, const SurfaceTypeTable& table) {
  const std::string& name = table.Name(surface);
  int sharing = 0;
  for (int id = 0; id < kSurfaceTypeCount; ++id)
    sharing += SameName(name, table.Name(id));
  std::string out = name;
  for (char& c : out) {
    if (c == ' ') c = '_';
  }
  if (sharing != 1) out += "#" + std::to_string(surface);
  return out;
}

Parsed<SurfaceMapping> ParseSurfaceMapping(std::string_view text, const SurfaceTypeTable& table) {
  SurfaceMapping mapping;
  bool defaultSeen = false;
  std::size_t number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t end = text.find('\n');
    const std::string_view line = Trimmed(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (line.empty() || line.front() == '#') continue;
    const std::size_t equals = line.rfind('=');
    if (equals == std::string_view::npos) {
      return AtLine(number, "a rule is written PATTERN = SURFACE, and this line has no \"=\"");
    }
    const std::string_view pattern = Trimmed(line.substr(0, equals));
    const std::string_view surfaceText = Trimmed(line.substr(equals + 1));
    if (pattern.empty()) return AtLine(number, "the pattern left of \"=\" is empty");
    const std::optional<std::uint8_t> surface = ParseSurfaceName(surfaceText, table);
    if (!surface) {
      return AtLine(number, "\"" + std::string(surfaceText) +
                                "\" is not a surface: write a name from the surface table or "
                                "a number from 0 to 34");
    }
    if (SameName(pattern, "default")) {
      if (defaultSeen) return AtLine(number, "a second default surface");
      defaultSeen = true;
      mapping.Default = *surface;
    } else {
      mapping.Rules.push_back({std::string(pattern), *surface});
    }
  }
  return {std::move(mapping), {}};
}

std::uint8_t SurfaceFor(const SurfaceMapping& mapping, const ModelMaterial& material,
                        const SurfaceTypeTable& table) {
  for (const SurfaceRule& rule : mapping.Rules) {
    if (GlobMatch(rule.Pattern, material.Name) ||
        (!material.Texture.empty() && GlobMatch(rule.Pattern, material.Texture))) {
      return rule.Surface;
    }
  }
  if (!material.Name.empty()) {
    if (const auto named = ParseSurfaceName(material.Name, table)) return *named;
  }
  return mapping.Default;
}

}  // namespace vantorel
