#include "core/ini_file.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <span>
#include <system_error>

#include "core/file_io.h"

namespace vantorel {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

bool IsQuote(char c) {
  return c == '"' || c == '\'';
}

bool Quoted(std::string_view value) {
  return value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front();
}

std::string_view Unquote(std::string_view value) {
  return Quoted(value) ? value.substr(1, value.size() - 2) : value;
}

// Values the reader would change by trimming or unquoting are written inside quotes, so that
// whatever is set reads back unchanged.
bool NeedsQuotes(std::string_view value) {
  if (value.empty()) return false;
  return IsBlank(value.front()) || IsBlank(value.back()) || Quoted(value);
}

std::string FoldCase(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

std::string WithoutLineBreaks(std::string text) {
  std::replace(text.begin(), text.end(), '\r', ' ');
  std::replace(text.begin(), text.end(), '\n', ' ');
  return text;
}

int ParseProfileInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i]))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // One past INT_MAX is enough to tell every overflow apart and still holds INT_MIN's magnitude.
  constexpr std::int64_t kLimit = std::int64_t{INT_MAX} + 1;
  std::int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = std::min(magnitude * 10 + (text[i] - '0'), kLimit);
  }
  if (negative) return static_cast<int>(-magnitude);
  return static_cast<int>(std::min<std::int64_t>(magnitude, INT_MAX));
}

}  // namespace

IniFile IniFile::Parse(std::string_view text) {
  IniFile ini;
  if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
  Section* current = nullptr;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    line = TrimBlanks(line);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      const std::string_view name =
          line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
      current = &ini.SectionFor(TrimBlanks(name));
      continue;
    }
    const std::size_t equals = line.find('=');
    if (!current || equals == std::string_view::npos) continue;
    const std::string_view key = TrimBlanks(line.substr(0, equals));
    if (key.empty()) continue;
    EntryFor(*current, key, Unquote(TrimBlanks(line.substr(equals + 1))));
  }
  return ini;
}

std::optional<IniFile> IniFile::Load(const std::filesystem::path& path, std::string* error) {
  std::error_code ec;
  if (std::filesystem::status(path, ec).type() == std::filesystem::file_type::not_found) {
    return IniFile();
  }
  Bytes bytes;
  if (auto failure = ReadWholeFile(path, bytes)) {
    if (error) *error = std::move(*failure);
    return std::nullopt;
  }
  return Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string IniFile::Serialize() const {
  std::string text;
  for (const Section& section : sections_) {
    if (!text.empty()) text += kLineEnd;
    text += '[';
    text += section.Name;
    text += ']';
    text += kLineEnd;
    for (const Entry& entry : section.Entries) {
      text += entry.Key;
      text += '=';
      if (NeedsQuotes(entry.Value)) {
        text += '"';
        text += entry.Value;
        text += '"';
      } else {
        text += entry.Value;
      }
      text += kLineEnd;
    }
  }
  return text;
}

std::optional<std::string> IniFile::Save(const std::filesystem::path& path) const {
  const std::string text = Serialize();
  return WriteFileReplacing(
      path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
  const Section* found = FindSection(section);
  const Entry* entry = found ? FindEntry(*found, key) : nullptr;
  if (!entry) return std::nullopt;
  return entry->Value;
}

std::string IniFile::GetString(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
  std::optional<std::string> value = Get(section, key);
  return value ? std::move(*value) : std::string(fallback);
}

int IniFile::GetInt(std::string_view section, std::string_view key, int fallback) const {
  const std::optional<std::string> value = Get(section, key);
  return value ? ParseProfileInt(*value) : fallback;
}

void IniFile::Set(std::string_view section, std::string_view key, std::string value) {
  const std::string name = WithoutLineBreaks(std::string(key));
  EntryFor(SectionFor(WithoutLineBreaks(std::string(section))), name, {}).Value =
      WithoutLineBreaks(std::move(value));
}

void IniFile::SetInt(std::string_view section, std::string_view key, int value) {
  Set(section, key, std::to_string(value));
}

std::vector<std::string> IniFile::SectionNames() const {
  std::vector<std::string> names;
  names.reserve(sections_.size());
  for (const Section& section : sections_)
    names.push_back(section.Name);
  return names;
}

std::vector<std::string> IniFile::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  if (const Section* found = FindSection(section)) {
    names.reserve(found->Entries.size());
    for (const Entry& entry : found->Entries)
      names.push_back(entry.Key);
  }
  return names;
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
  const auto found = sectionIndex_.find(FoldCase(name));
  return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

IniFile::Section& IniFile::SectionFor(std::string_view name) {
  const auto [position, added] = sectionIndex_.try_emplace(FoldCase(name), sections_.size());
  if (added) sections_.push_back(Section{std::string(name), {}, {}});
  return sections_[position->second];
}

const IniFile::Entry* IniFile::FindEntry(const Section& section, std::string_view key) {
  const auto found = section.KeyIndex.find(FoldCase(key));
  return found == section.KeyIndex.end() ? nullptr : &section.Entries[found->second];
}

IniFile::Entry& IniFile::EntryFor(Section& section, std::string_view key, std::string_view value) {
  const auto [position, added] =
      section.KeyIndex.try_emplace(FoldCase(key), section.Entries.size());
  if (added) section.Entries.push_back(Entry{std::string(key), std::string(value)});
  return section.Entries[position->second];
}

}  // namespace vantorel
