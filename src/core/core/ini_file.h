#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vantorel {

// The settings file in the form the Windows profile functions read and write, so the file stays
// interchangeable with the program's Windows builds. Sections and keys keep their file order;
// names match without regard to ASCII case and keep the spelling first seen. Comments are not
// kept: the file is written whole from what the program holds.
class IniFile {
 public:
  // Reads any text without failing: lines that are neither a section, a key nor a comment are
  // skipped, and of two equal keys in a section the first one counts.
  static IniFile Parse(std::string_view text);
  // A missing file reads as an empty one, since the first start has none. On any other failure
  // returns nullopt and, when error is given, the text to show.
  static std::optional<IniFile> Load(const std::filesystem::path& path, std::string* error);

  // "\r\n" line ends and a blank line between sections, as the Windows builds write it.
  std::string Serialize() const;
  // Writes the file atomically; returns the text to show on failure.
  std::optional<std::string> Save(const std::filesystem::path& path) const;

  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view fallback) const;
  // Reads the leading decimal integer of the value the way GetPrivateProfileInt does ("12abc" is
  // 12, "abc" is 0), saturating at the limits of int. A missing key gives fallback.
  int GetInt(std::string_view section, std::string_view key, int fallback) const;

  // Replaces the value in place or appends the key (and the section) at the end. Line breaks in
  // the value cannot be stored in the file and become blanks.
  void Set(std::string_view section, std::string_view key, std::string value);
  void SetInt(std::string_view section, std::string_view key, int value);

  std::vector<std::string> SectionNames() const;
  // The keys of a section in file order; empty for a missing section.
  std::vector<std::string> KeyNames(std::string_view section) const;

 private:
  struct Entry {
    std::string Key;
    std::string Value;
  };
  struct Section {
    std::string Name;
    std::vector<Entry> Entries;
    // Case-folded key to its position in Entries, so hostile files with a great many keys
    // still load in linear time.
    std::unordered_map<std::string, std::size_t> KeyIndex;
  };

  const Section* FindSection(std::string_view name) const;
  Section& SectionFor(std::string_view name);
  static const Entry* FindEntry(const Section& section, std::string_view key);
  // Adds the key unless the section already has it; returns the entry holding the key.
  static Entry& EntryFor(Section& section, std::string_view key, std::string_view value);

  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> sectionIndex_;
};

}  // namespace vantorel
