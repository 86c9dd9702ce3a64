#include "core/name_rules.h"

#include <algorithm>
#include <unordered_map>

namespace vantorel {

namespace {

char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string FoldedName(std::string_view name) {
  std::string folded(name);
  std::transform(folded.begin(), folded.end(), folded.begin(), AsciiLower);
  return folded;
}

}  // namespace

bool SameCollName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

std::optional<std::pair<std::size_t, std::size_t>> FindDuplicateNames(
    const CollDirectoryEntries& directory) {
  // One pass with a hash of the first index per name finds, for every coll, whether an earlier
  // coll shares its name; the lowest i with a twin is the lowest first index among those.
  std::unordered_map<std::string, std::size_t> firstIndex;
  firstIndex.reserve(directory.size());
  std::optional<std::pair<std::size_t, std::size_t>> found;
  for (std::size_t j = 0; j < directory.size(); ++j) {
    const auto [it, inserted] = firstIndex.try_emplace(FoldedName(directory[j].Name), j);
    if (inserted) continue;
    // The first twin of coll it->second is the first later coll that repeats its name.
    if (!found || it->second < found->first) found = std::make_pair(it->second, j);
  }
  return found;
}

}  // namespace vantorel

// ---------------------------------------------------------------------------------------------
// New names for colls.
// ---------------------------------------------------------------------------------------------
namespace vantorel {

namespace {

bool BlankOrControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte <= 0x20 || byte == 0x7F;
}

NameCheck CheckName(std::string_view text, const std::string_view* oldName) {
  std::string_view name = TrimBlanksAndControls(text);
  if (name.size() > kMaxCollNameLength) name = name.substr(0, kMaxCollNameLength);
  NameCheck check;
  check.Name = std::string(name);
  if (!std::all_of(name.begin(), name.end(), IsNameCharacter)) {
    check.Verdict = NameVerdict::BadCharacter;
  } else if (oldName && SameCollName(name, *oldName)) {
    check.Verdict = NameVerdict::SameAsOld;
  } else if (name.size() < kMinNewNameLength) {
    check.Verdict = NameVerdict::TooShort;
  } else {
    check.Verdict = NameVerdict::Ok;
  }
  return check;
}

}  // namespace

std::string_view TrimBlanksAndControls(std::string_view text) {
  const auto first = std::find_if_not(text.begin(), text.end(), BlankOrControl);
  const auto last = std::find_if_not(text.rbegin(), text.rend(), BlankOrControl).base();
  return first < last ? std::string_view(first, last) : std::string_view();
}

bool IsNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

NameCheck ValidateNewName(std::string_view text, std::string_view oldName) {
  return CheckName(text, &oldName);
}

NameCheck ValidateMergeName(std::string_view text) {
  return CheckName(text, nullptr);
}

std::string ProposeName(std::string_view oldName) {
  std::string proposal(oldName);
  if (!proposal.empty()) proposal.back() = '_';
  return proposal;
}

}  // namespace vantorel
